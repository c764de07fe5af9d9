// Making the main window from its design table, and laying it out again when its size
// changes.
#include "gui/Form1.h"

#include <array>
#include <map>
#include <stdexcept>
#include <utility>

#include "shared/System.h"

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

} // namespace

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

gui::Size TForm1::FittingWindowSize() const {
    const int contentHeight = gui::DesignContentHeight(Panel3.Visible());
    const gui::Size client = gui::FormClientSize(
        {gui::ScaleToDpi(gui::kDesignWidth, dpi_), gui::ScaleToDpi(contentHeight, dpi_)}, dpi_);
    RECT rc{0, 0, client.width, client.height};
    AdjustWindowRectEx(&rc, kFormStyle, FALSE, kFormExStyle);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void TForm1::AutoSize() {
    const gui::Size size = FittingWindowSize();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if ((IsZoomed(Handle()) || IsIconic(Handle())) && GetWindowPlacement(Handle(), &placement)) {
        // The size the window comes back to must fit what it shows then.
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + size.width;
        normal.bottom = normal.top + size.height;
        SetWindowPlacement(Handle(), &placement);
    } else {
        RECT rc{};
        GetWindowRect(Handle(), &rc);
        // Grown near the bottom of the screen, the window would reach past it.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor))
            rc.top = gui::TopWithinWorkArea(rc.top, size.height, monitor.rcWork.top,
                                            monitor.rcWork.bottom);
        SetWindowPos(Handle(), nullptr, rc.left, rc.top, size.width, size.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutControls();
}
