#include "gui/Form1.h"

#include <shellapi.h>

#include <array>
#include <map>
#include <stdexcept>
#include <utility>

#include "History/SettingsPath.h"
#include "builder/Launch.h"
#include "gui/Drop.h"
#include "shared/Exceptions.h"
#include "shared/System.h"

std::string SettingsFilePath;

using gui::Rect;
using gui::TDesignRow;

namespace {

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

HFONT MakeFont(int dpi, bool underline) {
    HFONT font =
        CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    if (!font)
        throw std::runtime_error("Cannot create the font MS Sans Serif");
    return font;
}

void MirrorHistory(const THistory& history, gui::TComboBox& combo) {
    // Clearing the list would take the typed text with it; keep what the user sees.
    const std::string text = combo.Text();
    combo.ClearItems();
    combo.SetText(text);
    for (int i = 0, n = history.Count(); i < n; ++i)
        combo.AddItem(history.Item(i));
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

gui::TControl& TForm1::Control(ControlId id) {
    const std::array<std::pair<ControlId, gui::TControl*>, 29> controls{{
        {idForm, this},
        {idPanel2, &Panel2},
        {idLblSource, &lblSource},
        {idLblOutput, &lblOutput},
        {idLblURL, &lblURL},
        {idBtnBrowseSrc, &btnBrowseSrc},
        {idBtnBrowseOut, &btnBrowseOut},
        {idCmbSource, &cmbSource},
        {idCmbOutput, &cmbOutput},
        {idBtnAdvanced, &btnAdvanced},
        {idBtnCreate, &btnCreate},
        {idPanel3, &Panel3},
        {idBvlSeparator, &bvlSeparator},
        {idPgeAdvanced, &pgeAdvanced},
        {idTabSheet1, &TabSheet1},
        {idTabSheet2, &TabSheet2},
        {idEdtTitle, &edtTitle},
        {idLblTitle, &lblTitle},
        {idEdtAuthor, &edtAuthor},
        {idLblAuthor, &lblAuthor},
        {idEdtBuild, &edtBuild},
        {idLblBuild, &lblBuild},
        {idEdtCopyright, &edtCopyright},
        {idLblCopyright, &lblCopyright},
        {idCbxDev, &cbxDev},
        {idCbxMpXfer, &cbxMpXfer},
        {idCbxProtected, &cbxProtected},
        {idLblPriority, &lblPriority},
        {idSpnPriority, &spnPriority},
    }};
    for (const auto& [controlId, control] : controls)
        if (controlId == id)
            return *control;
    throw std::logic_error("The main window has no control " + std::to_string(id));
}

void TForm1::Build(gui::TFormHost& host) {
    host_ = &host;
    dlgSave.Owner = host.OwnerWindow();
    RegisterWindowClass(VESK_FORM_CLASS, host.AppIcon());
    Create({host.OwnerWindow(), 0, "Veskmaker", {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}, false});
}

void TForm1::Create(const gui::TCreateArgs& args) {
    dpi_ = ScreenDpi();
    font_.Reset(MakeFont(dpi_, false));
    linkFont_.Reset(MakeFont(dpi_, true));
    CreateCustom(kFormExStyle, VESK_FORM_CLASS, kFormStyle, args);
    dlgSave.MainForm = Handle();
    SetFont(font_.Get());
    for (const TDesignRow& row : gui::kForm1Design)
        CreateControl(row);
    lblURL.SetFont(linkFont_.Get());
    lblURL.textColor = RGB(0, 0, 255);
    pgeAdvanced.SetActivePage(0);
    WireEvents();
    AutoSize();
}

gui::TCreateArgs TForm1::CreateArgs(const TDesignRow& row) {
    const bool placedLater = (row.options & (gui::doPage | gui::doBeside)) != 0;
    gui::TCreateArgs args{Control(row.parent).Handle(), row.id, row.text,
                          placedLater ? Rect{} : gui::ScaleRect(row.bounds, dpi_),
                          !(row.options & gui::doHidden)};
    if (row.parent == idForm) {
        const int border = gui::ScaleToDpi(gui::kFormBorder, dpi_);
        args.bounds.left += border;
        args.bounds.top += border;
    }
    return args;
}

void TForm1::CreateControl(const TDesignRow& row) {
    gui::TControl& control = Control(row.id);
    const gui::TCreateArgs args = CreateArgs(row);
    control.Create(args);
    control.SetFont(font_.Get());
    if (row.options & gui::doDisabled)
        control.SetEnabled(false);
    if (row.options & gui::doPage)
        dynamic_cast<gui::TPageControl&>(Control(row.buddy))
            .AddPage(dynamic_cast<gui::TPanel&>(control), row.text);
    if (row.options & (gui::doBeside | gui::doAutoWidth))
        SizeLabel(row, args.bounds, dynamic_cast<gui::TLabel&>(control));
}

void TForm1::SizeLabel(const TDesignRow& row, Rect bounds, gui::TLabel& label) {
    const gui::Size extent = label.TextExtent();
    if (row.options & gui::doBeside) {
        label.SetBounds(
            gui::LabelBeside(gui::ScaleRect(gui::DesignRow(row.buddy).bounds, dpi_), extent));
        return;
    }
    // As wide as the caption, never narrower than designed.
    if (extent.width > bounds.width)
        bounds.width = extent.width;
    label.SetBounds(bounds);
}

void TForm1::WireEvents() {
    btnBrowseSrc.onClick = [this] { btnBrowseSrcClick(); };
    btnBrowseOut.onClick = [this] { btnBrowseOutClick(); };
    btnAdvanced.onClick = [this] { btnAdvancedClick(); };
    btnCreate.onClick = [this] { btnCreateClick(); };
    lblURL.onClick = [this] { lblURLClick(); };
}

void TForm1::LayoutControls() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int border = gui::ScaleToDpi(gui::kFormBorder, dpi_);
    const int width = client.right - 2 * border;
    // Only the width moves anything; start-up alone would lay out four times otherwise.
    if (width <= 0 || width == laidOutWidth_)
        return;
    laidOutWidth_ = width;
    // How much each container has grown beyond its design, the window's content first.
    std::map<int, int> grown{{idForm, width - gui::ScaleToDpi(gui::kDesignWidth, dpi_)}};
    for (const TDesignRow& row : gui::kForm1Design) {
        if (row.options & gui::doPage)
            continue; // the page control lays its pages over its display area
        const Rect designed = gui::ScaleRect(row.bounds, dpi_);
        Rect r = gui::Anchored(designed, row.anchors, grown[row.parent], 0);
        grown[row.id] = r.width - designed.width;
        if (!(row.anchors & (gui::akRight | gui::akBottom)))
            continue; // stays where it was made
        if (row.parent == idForm) {
            r.left += border;
            r.top += border;
        }
        Control(row.id).SetBounds(r);
    }
}

void TForm1::AutoSize() {
    if (IsZoomed(Handle()) || IsIconic(Handle())) {
        LayoutControls();
        return;
    }
    const int contentHeight = gui::DesignContentHeight(Panel3.Visible());
    const gui::Size client = gui::FormClientSize(
        {gui::ScaleToDpi(gui::kDesignWidth, dpi_), gui::ScaleToDpi(contentHeight, dpi_)}, dpi_);
    RECT rc{0, 0, client.width, client.height};
    AdjustWindowRectEx(&rc, kFormStyle, FALSE, kFormExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
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
    hstSource.LoadFromIniFile(SettingsFilePath, "source");
    hstOutput.LoadFromIniFile(SettingsFilePath, "out");
}

void TForm1::FormClose(gui::TCloseAction& /*action*/) {
    hstSource.SaveToIniFile(SettingsFilePath, "source");
    hstOutput.SaveToIniFile(SettingsFilePath, "out");
}

void TForm1::hstSourceChange(THistory& /*sender*/) {
    MirrorHistory(hstSource, cmbSource);
}

void TForm1::hstOutputChange(THistory& /*sender*/) {
    MirrorHistory(hstOutput, cmbOutput);
}

void TForm1::btnAdvancedClick() {
    const bool show = !Panel3.Visible();
    Panel3.SetVisible(show);
    Panel3.SetEnabled(show);
    btnAdvanced.SetText(show ? "Simple" : "Advanced");
    AutoSize();
}

void TForm1::lblURLClick() {
    const std::string address = std::string("http://") + gui::kMakerHost;
    ShellExecuteA(Handle(), "OPEN", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
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

BuilderInputs TForm1::ReadBuilderInputs() const {
    BuilderInputs in;
    in.source = cmbSource.Text();
    in.output = cmbOutput.Text();
    in.title = edtTitle.Text();
    in.author = edtAuthor.Text();
    in.build = edtBuild.Text();
    in.copyright = edtCopyright.Text();
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
