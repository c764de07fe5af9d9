#include "gui/Form1.h"

#include <shellapi.h>

#include "History/SettingsPath.h"
#include "app/Application.h"
#include "builder/Launch.h"
#include "gui/ControlIds.h"

TForm1* Form1 = nullptr;
std::string SettingsFilePath;

using gui::Rect;

namespace {

// The designed layout at 96 dpi, inside the window's 8-pixel border.
constexpr int kDesignWidth = 370;
constexpr Rect kPanel2{0, 0, 370, 80};
constexpr Rect kPanel3{0, 88, 370, 174};
constexpr Rect kBtnBrowseSrc{344, 0, 26, 21};
constexpr Rect kBtnBrowseOut{344, 27, 26, 21};
constexpr Rect kCmbSource{56, 0, 280, 21};
constexpr Rect kCmbOutput{56, 26, 280, 21};
constexpr Rect kBtnAdvanced{215, 55, 75, 25};
constexpr Rect kBtnCreate{295, 54, 75, 25};
constexpr Rect kBvlSeparator{0, 0, 370, 2};
constexpr Rect kPgeAdvanced{0, 10, 370, 164};
constexpr int kComboItemHeight = 13;
constexpr int kComboVisibleItems = 8;

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES;

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

void MirrorHistory(const THistory& history, gui::TComboBox& combo) {
    // Clearing the list would take the typed text with it; keep what the user sees.
    std::string text = combo.Text();
    combo.ClearItems();
    combo.SetText(text);
    for (int i = 0, n = history.Count(); i < n; ++i)
        combo.AddItem(history.Item(i));
}

} // namespace

TForm1::TForm1() {
    hstSource.SetMaxItems(10);
    hstSource.SetIfExistsPlaceFirst(true);
    hstSource.SetOnChange([this](THistory& sender) { hstSourceChange(sender); });
    hstOutput.SetMaxItems(10);
    hstOutput.SetIfExistsPlaceFirst(true);
    hstOutput.SetOnChange([this](THistory& sender) { hstOutputChange(sender); });
    dlgSave.DefaultExt = "vkpak";
    dlgSave.Filter = "Vesk (*.vkpak)|*.vkpak|All Files (*.*)|*.*";
    dlgSave.FilterIndex = 1;
    if (!Form1)
        Form1 = this;
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::Build() {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    font_.Reset(CreateFontA(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
    linkFont_.Reset(CreateFontA(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));

    RegisterWindowClass(VESK_FORM_CLASS, 0, Application ? Application->Icon() : nullptr);
    HWND owner = Application ? Application->Handle() : nullptr;
    CreateCustom(kFormExStyle, VESK_FORM_CLASS, "Veskmaker", kFormStyle,
                 {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}, owner, 0);
    SetFont(font_.Get());
    CreateControls();
    AutoSize();
}

void TForm1::CreateControls() {
    auto scaled = [this](const Rect& r) { return gui::ScaleRect(r, dpi_); };
    HFONT font = font_.Get();

    // Children are created in tab order: the dialog manager walks them in creation order.
    Panel2.Create(Handle(), idPanel2, {}, true);
    HWND p2 = Panel2.Handle();
    btnBrowseSrc.Create(p2, idBtnBrowseSrc, "...", scaled(kBtnBrowseSrc));
    btnBrowseOut.Create(p2, idBtnBrowseOut, "...", scaled(kBtnBrowseOut));
    cmbSource.Create(p2, idCmbSource, scaled(kCmbSource), gui::ScaleToDpi(kComboItemHeight, dpi_),
                     kComboVisibleItems);
    cmbOutput.Create(p2, idCmbOutput, scaled(kCmbOutput), gui::ScaleToDpi(kComboItemHeight, dpi_),
                     kComboVisibleItems);
    btnAdvanced.Create(p2, idBtnAdvanced, "Advanced", scaled(kBtnAdvanced));
    btnCreate.Create(p2, idBtnCreate, "Create!", scaled(kBtnCreate));
    lblSource.Create(p2, idLblSource, "Source", scaled({0, 3, 34, 13}));
    lblOutput.Create(p2, idLblOutput, "Output", scaled({0, 29, 32, 13}));
    lblURL.Create(p2, idLblURL, kMakerHost, scaled({9, 60, 105, 13}));
    for (gui::TControl* c :
         std::initializer_list<gui::TControl*>{&btnBrowseSrc, &btnBrowseOut, &cmbSource, &cmbOutput,
                                               &btnAdvanced, &btnCreate, &lblSource, &lblOutput})
        c->SetFont(font);
    lblURL.SetFont(linkFont_.Get());
    lblURL.textColor = RGB(0, 0, 255);

    Panel3.Create(Handle(), idPanel3, {}, false);
    Panel3.SetEnabled(false);
    HWND p3 = Panel3.Handle();
    pgeAdvanced.Create(p3, idPgeAdvanced, scaled(kPgeAdvanced));
    pgeAdvanced.SetFont(font);
    bvlSeparator.Create(p3, idBvlSeparator, scaled(kBvlSeparator));

    HWND text = pgeAdvanced.AddPage(idTabSheet1, "Text").Handle();
    struct LabelledEdit {
        gui::TEdit& edit;
        gui::TLabel& label;
        int id, labelId, top;
        const char* caption;
    } edits[] = {{edtTitle, lblTitle, idEdtTitle, idLblTitle, 16, "Title"},
                 {edtAuthor, lblAuthor, idEdtAuthor, idLblAuthor, 44, "Author"},
                 {edtBuild, lblBuild, idEdtBuild, idLblBuild, 72, "Build"},
                 {edtCopyright, lblCopyright, idEdtCopyright, idLblCopyright, 100, "Copyright"}};
    for (auto& e : edits) {
        Rect field = scaled({72, e.top, 282, 21});
        e.edit.Create(text, e.id, field);
        e.edit.SetFont(font);
        e.label.Create(text, e.labelId, e.caption, {});
        e.label.SetFont(font);
        SIZE extent = e.label.TextExtent();
        e.label.SetBounds(gui::LabelBeside(field, {extent.cx, extent.cy}));
    }

    HWND misc = pgeAdvanced.AddPage(idTabSheet2, "Misc.").Handle();
    cbxDev.Create(misc, idCbxDev, "Development only", scaled({8, 8, 177, 17}));
    cbxDev.hint = " development-only vesk (not for retail usage)";
    cbxMpXfer.Create(misc, idCbxMpXfer, "Allow multiplayer transfer", scaled({8, 32, 169, 17}));
    cbxMpXfer.hint = "allow transfer during multiplayer";
    cbxProtected.Create(misc, idCbxProtected, "Protected", scaled({8, 56, 169, 17}));
    cbxProtected.hint = "this is protected content (for optional use by extractors)";
    spnPriority.Create(misc, idSpnPriority, scaled({54, 78, 93, 22}));
    lblPriority.Create(misc, idLblPriority, "Priority", scaled({8, 81, 31, 13}));
    for (gui::TControl* c : std::initializer_list<gui::TControl*>{
             &cbxDev, &cbxMpXfer, &cbxProtected, &spnPriority, &lblPriority})
        c->SetFont(font);
    pgeAdvanced.SetActivePage(0);

    // Auto-sized labels: as wide as their caption, never narrower than designed.
    for (gui::TLabel* l : {&lblSource, &lblOutput, &lblURL, &lblPriority}) {
        Rect r = l->Bounds();
        SIZE extent = l->TextExtent();
        if (extent.cx > r.width)
            r.width = extent.cx;
        l->SetBounds(r);
    }
    btnBrowseSrc.onClick = [this] { btnBrowseSrcClick(); };
    btnBrowseOut.onClick = [this] { btnBrowseOutClick(); };
    btnAdvanced.onClick = [this] { btnAdvancedClick(); };
    btnCreate.onClick = [this] { btnCreateClick(); };
    lblURL.onClick = [this] { lblURLClick(); };
}

void TForm1::LayoutControls() {
    RECT client{};
    GetClientRect(Handle(), &client);
    int border = gui::ScaleToDpi(gui::kFormBorder, dpi_);
    int width = client.right - 2 * border;
    // Only the width moves anything; start-up alone would lay out four times otherwise.
    if (width <= 0 || width == laidOutWidth_)
        return;
    laidOutWidth_ = width;
    int dw = width - gui::ScaleToDpi(kDesignWidth, dpi_);
    auto place = [&](gui::TControl& c, const Rect& designed, unsigned anchors) {
        c.SetBounds(gui::Anchored(gui::ScaleRect(designed, dpi_), anchors, dw, 0));
    };
    using gui::akLeft;
    using gui::akRight;
    using gui::akTop;
    Panel2.SetBounds({border, border, width, gui::ScaleToDpi(kPanel2.height, dpi_)});
    Rect p3 = gui::Anchored(gui::ScaleRect(kPanel3, dpi_), akLeft | akRight | akTop, dw, 0);
    Panel3.SetBounds({p3.left + border, p3.top + border, p3.width, p3.height});
    place(btnBrowseSrc, kBtnBrowseSrc, akRight | akTop);
    place(btnBrowseOut, kBtnBrowseOut, akRight | akTop);
    // A combo box's window height includes its drop-down list.
    Rect src = gui::Anchored(gui::ScaleRect(kCmbSource, dpi_), akLeft | akRight | akTop, dw, 0);
    Rect out = gui::Anchored(gui::ScaleRect(kCmbOutput, dpi_), akLeft | akRight | akTop, dw, 0);
    SetWindowPos(cmbSource, nullptr, src.left, src.top, src.width, cmbSource.Bounds().height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(cmbOutput, nullptr, out.left, out.top, out.width, cmbOutput.Bounds().height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    place(btnAdvanced, kBtnAdvanced, akRight | akTop);
    place(btnCreate, kBtnCreate, akRight | akTop);
    place(bvlSeparator, {kBvlSeparator.left, kBvlSeparator.top, kBvlSeparator.width, 2},
          akLeft | akRight | akTop);
    place(pgeAdvanced, kPgeAdvanced, akLeft | akRight | akTop | gui::akBottom);
    pgeAdvanced.LayoutPages();
}

void TForm1::AutoSize() {
    if (IsZoomed(Handle()) || IsIconic(Handle())) {
        LayoutControls();
        return;
    }
    int contentHeight = Panel3.Visible() ? kPanel3.top + kPanel3.height : kPanel2.height;
    gui::Size client = gui::FormClientSize(
        {gui::ScaleToDpi(kDesignWidth, dpi_), gui::ScaleToDpi(contentHeight, dpi_)}, dpi_);
    RECT rc{0, 0, client.width, client.height};
    AdjustWindowRectEx(&rc, kFormStyle, FALSE, kFormExStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        LayoutControls();
        return 0;
    case WM_WINDOWPOSCHANGED:
        // Wine may change the size of a window maximised at start-up without a WM_SIZE.
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

void TForm1::FormCreate() {
    SettingsFilePath = SettingsPathFor(ModuleFileName(), IsLeadByte);
    hstSource.LoadFromIniFile(SettingsFilePath, "source");
    hstOutput.LoadFromIniFile(SettingsFilePath, "out");
}

void TForm1::FormClose(gui::TCloseAction&) {
    hstSource.SaveToIniFile(SettingsFilePath, "source");
    hstOutput.SaveToIniFile(SettingsFilePath, "out");
}

void TForm1::hstSourceChange(THistory&) {
    MirrorHistory(hstSource, cmbSource);
}

void TForm1::hstOutputChange(THistory&) {
    MirrorHistory(hstOutput, cmbOutput);
}

void TForm1::btnAdvancedClick() {
    bool show = !Panel3.Visible();
    Panel3.SetVisible(show);
    Panel3.SetEnabled(show);
    btnAdvanced.SetText(show ? "Simple" : "Advanced");
    AutoSize();
}

void TForm1::lblURLClick() {
    std::string address = std::string("http://") + kMakerHost;
    ShellExecuteA(Handle(), "OPEN", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string TForm1::BrowseForFolder(const std::string& initialFolder) {
    return gui::BrowseForFolder(Handle(), initialFolder);
}

void TForm1::btnBrowseSrcClick() {
    std::string folder = BrowseForFolder(cmbSource.Text());
    if (!folder.empty())
        cmbSource.SetText(folder);
}

void TForm1::btnBrowseOutClick() {
    if (dlgSave.Execute())
        cmbOutput.SetText(dlgSave.FileName);
}

void TForm1::DropFiles(HDROP drop) {
    gui::DroppedTargets targets = gui::ReadDrop(drop);
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
    // GetFileAttributesA resolves a relative path against the current directory.
    DWORD attributes = GetFileAttributesA(cmbSource.Text().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Exception("The specified source does not exist");
    if (cmbOutput.Text().empty())
        throw Exception("You must specify an output vesk.");
    // Texts too long for one command line would reach the builder cut short, without a word.
    if (!FitsOnCommandLine(BuilderPath(), BuildParameters(ReadBuilderInputs(), IsLeadByte)))
        throw Exception("The texts are too long to be passed to the builder");
    hstSource.Add(cmbSource.Text());
    hstOutput.Add(cmbOutput.Text());
    LaunchBuilder(Handle(), BuildParameters(ReadBuilderInputs(), IsLeadByte));
}
