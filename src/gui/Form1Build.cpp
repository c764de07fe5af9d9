// Making the main window from its design table, and laying it out again when its size
// changes.
#include "gui/Form1.h"

#include <string>
#include <vector>
#include <stdexcept>
#include <utility>

#include "shared/System.h"

using gui::Rect;
using gui::TDesignRow;

namespace {

HFONT MakeFont(int dpi, bool underline) {
    HFONT font = CreateFontA(-MulDiv(gui::kFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE,
                             underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             gui::kFontFace);
    if (!font)
        throw std::runtime_error(std::string("Cannot create the font ") + gui::kFontFace);
    return font;
}

} // namespace

gui::TControl& TForm1::Control(ControlId id) {
    return const_cast<gui::TControl&>(static_cast<const TForm1&>(*this).Control(id));
}

const gui::TControl& TForm1::Control(ControlId id) const {
    if (id == idForm)
        return *this;
    if (const gui::TControl* control = designed_.Find(id))
        return *control;
    throw std::logic_error("The main window has no member for the design row " +
                           std::to_string(id));
}

void TForm1::Build(gui::TFormHost& host) {
    host_ = &host;
    dlgSave.Owner = host.OwnerWindow();
    dpi_ = ScreenDpi();
    RegisterWindowClass(VESK_FORM_CLASS, host.AppIcon());
    // Made at the size and place of its first showing, so that showing it moves nothing.
    const gui::Size size = FittingWindowSize();
    const gui::Point at = gui::CentreOnScreen(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.width, size.height);
    Create({host.OwnerWindow(), 0, "Veskmaker", {at.x, at.y, size.width, size.height}, false});
}

void TForm1::Create(const gui::TCreateArgs& args) {
    font_.Reset(MakeFont(dpi_, false));
    linkFont_.Reset(MakeFont(dpi_, true));
    CreateCustom(gui::kFormExStyle, VESK_FORM_CLASS, gui::kFormStyle, args);
    dlgSave.MainForm = Handle();
    SetFont(font_.Get(), false);
    laidOutWidth_ = gui::ScaleToDpi(gui::kDesignWidth, dpi_);
    // The advanced block is made when it is first shown; until then its control objects hold
    // their values.
    MakeControls(false);
    lblURL.SetFont(linkFont_.Get(), false);
    lblURL.textColor = RGB(0, 0, 255);
    WireEvents();
}

void TForm1::MakeControls(bool advancedBlock) {
    const std::vector<Rect> placed = gui::PlaceDesign(laidOutWidth_, dpi_);
    const gui::TTextMeasure measure(font_.Get());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const TDesignRow& row = gui::kForm1Design[i];
        if (gui::WithinBlock(row, idPanel3) == advancedBlock)
            CreateControl(row, placed[i], measure);
    }
    if (advancedBlock)
        pgeAdvanced.SetActivePage(0);
}

Rect TForm1::LabelBounds(const TDesignRow& row, Rect placed,
                         const gui::TTextMeasure& measure) const {
    const gui::Size extent = measure.Extent(row.text);
    if (row.options & gui::doBeside)
        return gui::LabelBeside(gui::ScaleRect(gui::DesignRow(row.buddy).bounds, dpi_), extent);
    // As wide as the caption, never narrower than designed.
    if (extent.width > placed.width)
        placed.width = extent.width;
    return placed;
}

void TForm1::CreateControl(const TDesignRow& row, const Rect& placed,
                           const gui::TTextMeasure& measure) {
    gui::TControl& control = Control(row.id);
    const bool label = (row.options & (gui::doBeside | gui::doAutoWidth)) != 0;
    control.Create({Control(row.parent).Handle(), row.id, row.text,
                    label ? LabelBounds(row, placed, measure) : placed,
                    !(row.options & gui::doHidden)});
    control.SetFont(font_.Get(), false);
    if (row.options & gui::doDisabled)
        control.SetEnabled(false);
    if (row.options & gui::doPage)
        dynamic_cast<gui::TPageControl&>(Control(row.buddy))
            .AddPage(dynamic_cast<gui::TPanel&>(control), row.text);
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
    const int width = client.right - 2 * gui::ScaleToDpi(gui::kFormBorder, dpi_);
    // Only the width moves anything, and only a real change of it.
    if (width <= 0 || width == laidOutWidth_)
        return;
    laidOutWidth_ = width;
    const std::vector<Rect> placed = gui::PlaceDesign(width, dpi_);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const TDesignRow& row = gui::kForm1Design[i];
        gui::TControl& control = Control(row.id);
        // Left and top anchors keep a control where it was made; the page control lays
        // its pages over its display area.
        if ((row.anchors & (gui::akRight | gui::akBottom)) && control.Handle())
            control.SetBounds(placed[i]);
    }
}

gui::Size TForm1::FittingWindowSize() const {
    const int contentHeight = gui::DesignContentHeight(Panel3.Visible());
    const gui::Size client = gui::FormClientSize(
        {gui::ScaleToDpi(gui::kDesignWidth, dpi_), gui::ScaleToDpi(contentHeight, dpi_)}, dpi_);
    RECT rc{0, 0, client.width, client.height};
    AdjustWindowRectEx(&rc, gui::kFormStyle, FALSE, gui::kFormExStyle);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

namespace {

// The top at which a window of that height, standing at `area`, stays on the work area of
// the monitor that holds it. A window's normal place is kept in workspace coordinates, which
// start at the work area's corner rather than the screen's.
LONG TopOnWorkArea(const RECT& area, int height, bool workspace) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor))
        return area.top;
    const LONG shift = workspace ? monitor.rcWork.top - monitor.rcMonitor.top : 0;
    return gui::TopWithinWorkArea(area.top + shift, height, monitor.rcWork.top,
                                  monitor.rcWork.bottom) -
           shift;
}

} // namespace

void TForm1::AutoSize() {
    const gui::Size size = FittingWindowSize();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if ((IsZoomed(Handle()) || IsIconic(Handle())) && GetWindowPlacement(Handle(), &placement)) {
        // The place the window comes back to must fit what it shows then.
        RECT& normal = placement.rcNormalPosition;
        normal.top = TopOnWorkArea(normal, size.height, true);
        normal.right = normal.left + size.width;
        normal.bottom = normal.top + size.height;
        SetWindowPlacement(Handle(), &placement);
    } else {
        // Grown near the bottom of the screen, the window would reach past it.
        RECT rc{};
        GetWindowRect(Handle(), &rc);
        SetWindowPos(Handle(), nullptr, rc.left, TopOnWorkArea(rc, size.height, false), size.width,
                     size.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutControls();
}
