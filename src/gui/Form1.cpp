#include "gui/Form1.h"

#include <optional>
#include <vector>

#include "History/IniFile.h"
#include "History/SettingsPath.h"
#include "builder/Launch.h"
#include "gui/Drop.h"
#include "shared/Exceptions.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

std::string SettingsFilePath;

namespace {

void MirrorHistory(const THistory& history, gui::TComboBox& combo) {
    std::vector<std::string> entries;
    for (int i = 0, n = history.Count(); i < n; ++i)
        entries.push_back(history.Item(i));
    // A Create that uses the entries already first changes nothing to show.
    if (entries == combo.Items())
        return;
    // Clearing the list would take the typed text with it; keep what the user sees.
    const std::string text = combo.Text();
    combo.ClearItems();
    combo.SetText(text);
    for (const std::string& entry : entries)
        combo.AddItem(entry);
}

} // namespace

TForm1::TForm1() {
    for (THistory* history : {&hstSource, &hstOutput}) {
        history->SetMaxItems(10);
        history->SetIfExistsPlaceFirst(true);
    }
    hstSource.SetOnChange([this](THistory& sender) { hstSourceChange(sender); });
    hstOutput.SetOnChange([this](THistory& sender) { hstOutputChange(sender); });
    dlgSave.DefaultExt = "vkpak";
    dlgSave.Filter = "Vesk (*.vkpak)|*.vkpak|All Files (*.*)|*.*";
    dlgSave.FilterIndex = 1;
    cbxDev.hint = " development-only vesk (not for retail usage)";
    cbxMpXfer.hint = "allow transfer during multiplayer";
    cbxProtected.hint = "this is protected content (for optional use by extractors)";
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
        // Every size change passes here, also those that Wine makes to a window maximised at
        // start-up without a WM_SIZE.
        if (!(reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_NOSIZE))
            LayoutControls();
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == lblURL.Handle()) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SETTINGCHANGE:
        // The system tells top-level windows only; the priority field reads the locale's
        // decimal separator again.
        if (spnPriority.Handle())
            spnPriority.SendMsg(msg, wParam, lParam);
        break;
    case WM_COMMAND:
        // Enter and Escape reach the window as IDOK/IDCANCEL; no button is the default or
        // the cancel button, so they press nothing.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            return 0;
        break;
    default:
        break;
    }
    return TForm::WndProc(msg, wParam, lParam);
}

bool TForm1::PreTranslateKey(const MSG& msg) {
    // Ctrl+Tab and Ctrl+Shift+Tab switch pages from anywhere in the advanced block, as in
    // every tabbed dialog of the system.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0 ||
        !Panel3.Visible() || !IsChild(Panel3, msg.hwnd))
        return false;
    pgeAdvanced.StepPage(GetKeyState(VK_SHIFT) >= 0);
    return true;
}

void TForm1::FormCreate() {
    SettingsFilePath = SettingsPathFor(ModuleFileName(), IsSystemLeadByte);
    settingsLoaded_ = !IniFileUnreadable(SettingsFilePath);
    if (!settingsLoaded_)
        throw EIniFileException("Unable to read " + SettingsFilePath);
    hstSource.LoadFromIniFile(SettingsFilePath, "source");
    hstOutput.LoadFromIniFile(SettingsFilePath, "out");
}

void TForm1::FormClose(gui::TCloseAction& /*action*/) {
    // A failed save of one history must not lose the other's entries.
    RunEach([this] { SaveHistory(hstSource, "source"); },
            [this] { SaveHistory(hstOutput, "out"); });
}

void TForm1::SaveHistory(THistory& history, const std::string& section) {
    if (!settingsLoaded_) {
        // The file could not be read at start, so this run's list does not hold what it
        // stores: keep that behind this run's entries, or leave the file alone.
        if (IniFileUnreadable(SettingsFilePath))
            throw EIniFileException("Unable to read " + SettingsFilePath);
        THistory stored;
        stored.SetMaxItems(history.MaxItems());
        stored.LoadFromIniFile(SettingsFilePath, section);
        history.AppendOlder(stored);
    }
    history.SaveToIniFile(SettingsFilePath, section);
}

void TForm1::hstSourceChange(THistory& /*sender*/) {
    MirrorHistory(hstSource, cmbSource);
}

void TForm1::hstOutputChange(THistory& /*sender*/) {
    MirrorHistory(hstOutput, cmbOutput);
}

void TForm1::btnAdvancedClick() {
    if (!Panel3.Handle())
        MakeControls(true);
    const bool show = !Panel3.Visible();
    Panel3.SetVisible(show);
    Panel3.SetEnabled(show);
    btnAdvanced.SetText(show ? "Simple" : "Advanced");
    AutoSize();
}

void TForm1::lblURLClick() {
    const std::string address = std::string("http://") + gui::kMakerHost;
    LateProc<decltype(&ShellExecuteA)>(Shell32(), "ShellExecuteA")(
        Handle(), "OPEN", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string TForm1::BrowseForFolder(const std::string& initialFolder) {
    return gui::BrowseForFolder(Handle(), initialFolder);
}

void TForm1::btnBrowseSrcClick() {
    const std::string folder = BrowseForFolder(cmbSource.Text());
    if (!folder.empty())
        cmbSource.SetText(folder);
}

void TForm1::btnBrowseOutClick() {
    if (dlgSave.Execute())
        cmbOutput.SetText(dlgSave.FileName);
}

void TForm1::DropFiles(HDROP drop) {
    const gui::DroppedTargets targets = gui::ReadDrop(drop);
    // Like the pickers, a drop only fills the fields; Create checks and records.
    if (!targets.folder.empty())
        cmbSource.SetText(targets.folder);
    if (!targets.file.empty())
        cmbOutput.SetText(targets.file);
}

std::string TForm1::FieldText(const gui::TControl& field, ControlId label) {
    if (std::optional<std::string> text = field.ExactText())
        return *text;
    // A best-fit copy would reach the builder and the history as another name: "\u03A9mega"
    // as "Omega", a Cyrillic folder as question marks.
    throw Exception(std::string("The ") + gui::DesignRow(label).text +
                    " field contains characters that the system's code page cannot represent, "
                    "so the builder would receive other ones");
}

BuilderInputs TForm1::ReadBuilderInputs() const {
    BuilderInputs in;
    in.source = FieldText(cmbSource, idLblSource);
    in.output = FieldText(cmbOutput, idLblOutput);
    in.title = FieldText(edtTitle, idLblTitle);
    in.author = FieldText(edtAuthor, idLblAuthor);
    in.build = FieldText(edtBuild, idLblBuild);
    in.copyright = FieldText(edtCopyright, idLblCopyright);
    in.dev = cbxDev.Checked();
    in.mpXfer = cbxMpXfer.Checked();
    in.isProtected = cbxProtected.Checked();
    in.priority = spnPriority.Value();
    return in;
}

void TForm1::btnCreateClick() {
    const BuilderInputs in = ReadBuilderInputs();
    // GetFileAttributesA resolves a relative path against the current directory.
    const DWORD attributes = GetFileAttributesA(in.source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Exception("The specified source does not exist");
    if (in.output.empty())
        throw Exception("You must specify an output vesk.");
    const std::string builder = BuilderPath();
    const std::string parameters = BuildParameters(in, IsSystemLeadByte);
    // Texts too long for one command line would reach the builder cut short, without a word.
    if (!FitsOnCommandLine(builder, parameters))
        throw Exception("The texts are too long to be passed to the builder");
    hstSource.Add(in.source);
    hstOutput.Add(in.output);
    LaunchBuilder(Handle(), builder, parameters);
}
