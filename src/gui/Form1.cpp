// The main window's behaviour: what its events do, from the system's messages to the handlers
// named after control and event. Making it is in Form1Build.cpp, placing it in Form1Layout.cpp.
#include "gui/Form1.h"

#include <functional>
#include <utility>
#include <vector>

#include "History/IniFile.h"
#include "builder/Launch.h"
#include "gui/Drop.h"
#include "shared/Exceptions.h"
#include "shared/System.h"

namespace gui {

namespace {

// The system behind the rules: the file system, the code page, the private-profile file and
// the shell that starts the builder.
gui::TSessionSystem WindowsSystem(const controls::TForm& owner) {
    gui::TSessionSystem system;
    system.isFolder = shared::IsFolder;
    system.isLead = shared::IsSystemLeadByte;
    const shared::TReachablePath exe = shared::ReachableExePath();
    system.exePath = exe.path;
    system.exeBeyondCodePage = exe.beyondCodePage;
    system.settingsUnreadable = History::IniFileUnreadable;
    system.withSettings = [](const std::string& path,
                             const std::function<void(History::TCustomIniFile&)>& use) {
        // Released, and so flushed, on every path out, the error paths included.
        History::TIniFile ini(path);
        use(ini);
    };
    system.launch = [&owner](const std::string& builderPath, const std::string& parameters) {
        builder::LaunchBuilder(owner.Handle(), builderPath, parameters);
    };
    return system;
}

void MirrorHistory(const History::THistory& history, controls::TComboBox& combo) {
    // Rebuilt on every change, also one that leaves the entries as they were, so the list's
    // selection is reset as after any other Create. Clearing the list would take the typed
    // text with it; keep what the user sees.
    const std::string text = combo.Text();
    combo.ClearItems();
    combo.SetText(text);
    for (const std::string& entry : history.Items())
        combo.AddItem(entry);
}

} // namespace

TForm1::TForm1() : session_(hstSource, hstOutput, WindowsSystem(*this)) {
    for (History::THistory* history : {&hstSource, &hstOutput}) {
        history->SetMaxItems(10);
        history->SetIfExistsPlaceFirst(true);
    }
    hstSource.SetOnChange([this](History::THistory& sender) { hstSourceChange(sender); });
    hstOutput.SetOnChange([this](History::THistory& sender) { hstOutputChange(sender); });
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
    case WM_SYSCOLORCHANGE:
        // The system tells top-level windows only; the priority field reads the locale's
        // decimal separator again, and a high-contrast theme may have come or gone.
        if (msg == WM_SETTINGCHANGE && spnPriority.Handle())
            spnPriority.SendMsg(msg, wParam, lParam);
        ApplyLinkColour();
        break;
    case WM_DPICHANGED:
        ChangeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_COMMAND:
        // Enter and Escape reach the window as IDOK/IDCANCEL; no button is the default or
        // the cancel button, so they press nothing.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            return 0;
        break;
    default:
        break;
    }
    return controls::TForm::WndProc(msg, wParam, lParam);
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
    session_.LoadSettings();
}

void TForm1::FormClose(controls::TCloseAction& /*action*/) {
    session_.SaveSettings();
}

void TForm1::hstSourceChange(History::THistory& /*sender*/) {
    MirrorHistory(hstSource, cmbSource);
}

void TForm1::hstOutputChange(History::THistory& /*sender*/) {
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
    // Where no browser is set, or the shell refuses, the user is told, as for the builder.
    const std::string address = std::string("http://") + gui::kMakerHost;
    builder::ShellOpen(Handle(), address, nullptr, "Unable to open " + address);
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
    const gui::TDroppedTargets targets = gui::ReadDrop(drop);
    // Like the pickers, a drop only fills the fields; Create checks and records. One that fills
    // nothing says why, as the same text typed would be told.
    if (!targets.refusal.empty())
        throw shared::Exception(targets.refusal);
    if (!targets.folder.empty())
        cmbSource.SetText(targets.folder);
    if (!targets.file.empty())
        cmbOutput.SetText(targets.file);
}

builder::TBuilderArguments TForm1::ReadArguments() const {
    builder::TBuilderArguments arguments = gui::EmptyArguments();
    auto read = [this](builder::TBuilderArgument& argument) {
        controls::TFieldValue value = Control(static_cast<ControlId>(argument.field)).FieldValue();
        argument.text = std::move(value.text);
        argument.checked = value.checked;
        argument.number = value.number;
    };
    read(arguments.source);
    read(arguments.output);
    for (builder::TBuilderArgument& option : arguments.options)
        read(option);
    return arguments;
}

void TForm1::btnCreateClick() {
    try {
        session_.Create(ReadArguments());
    } catch (const gui::EFieldRefusal& refusal) {
        // Moved before the box comes up, the focus is what the box gives back when it goes.
        FocusField(static_cast<ControlId>(refusal.Field()));
        throw;
    }
}

void TForm1::FocusField(ControlId id) {
    // A field of the hidden advanced block cannot take the focus: it stays where it was.
    controls::TControl& field = Control(id);
    if (!IsWindowVisible(field) || !IsWindowEnabled(field))
        return;
    field.Focus();
    field.SelectAll();
}

} // namespace gui
