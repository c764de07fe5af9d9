// Placing the main window's controls from the design at the window's width and DPI, sizing
// the window to what it shows, and taking a new DPI when the window moves to a monitor of
// another scale.
#include "gui/Form1.h"

#include <vector>

#include "shared/System.h"

namespace gui {

using controls::Rect;
using gui::TDesignRow;

controls::Rect TForm1::Placed(const TDesignRow& row, controls::Rect placed,
                              const controls::TTextMeasure& measure) const {
    if (!(row.options & (gui::doBeside | gui::doAutoWidth)))
        return placed;
    const controls::Size extent = measure.Extent(row.text);
    if (row.options & gui::doBeside)
        return controls::LabelBeside(controls::ScaleRect(gui::DesignRow(row.buddy).bounds, dpi_),
                                     extent, dpi_);
    // As wide as the caption, never narrower than designed.
    if (extent.width > placed.width)
        placed.width = extent.width;
    return placed;
}

void TForm1::PlaceControls() {
    const std::vector<controls::Rect> placed = gui::PlaceDesign(laidOutWidth_, dpi_);
    const controls::TTextMeasure measure(font_.Get());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const TDesignRow& row = gui::kForm1Design[i];
        controls::TControl& control = Control(row.id);
        // The page control lays its pages over its display area.
        if (control.Handle() && !(row.options & gui::doPage))
            control.SetBounds(Placed(row, placed[i], measure));
    }
}

void TForm1::LayoutControls() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - 2 * controls::ScaleToDpi(controls::kFormBorder, dpi_);
    // Only the width moves anything, and only a real change of it.
    if (width <= 0 || width == laidOutWidth_)
        return;
    laidOutWidth_ = width;
    PlaceControls();
}

controls::Size TForm1::FittingWindowSize() const {
    const int contentHeight = gui::DesignContentHeight(Panel3.Visible());
    const controls::Size client = controls::FormClientSize(
        {controls::ScaleToDpi(gui::kDesignWidth, dpi_), controls::ScaleToDpi(contentHeight, dpi_)},
        dpi_);
    RECT rc{0, 0, client.width, client.height};
    shared::AdjustWindowRectForDpi(rc, controls::kFormStyle, controls::kFormExStyle, dpi_);
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
    return controls::TopWithinWorkArea(area.top + shift, height, monitor.rcWork.top,
                                       monitor.rcWork.bottom) -
           shift;
}

} // namespace

void TForm1::AutoSize() {
    const controls::Size size = FittingWindowSize();
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

void TForm1::ChangeDpi(int dpi, const RECT* suggested) {
    dpi_ = dpi;
    // The new fonts are in place before the old ones go, so nothing paints with a deleted one.
    shared::TFont font(MakeFont(dpi_, false));
    shared::TFont linkFont(MakeFont(dpi_, true));
    font_.Swap(font);
    linkFont_.Swap(linkFont);
    SetFont(font_.Get(), false);
    for (const TDesignRow& row : gui::kForm1Design) {
        controls::TControl& control = Control(row.id);
        control.SetDpi(dpi_);
        if (control.Handle())
            control.SetFont(FontOf(row), false);
    }
    // Placed anew whatever the width, then sized to what the system suggests (or to fit).
    laidOutWidth_ = 0;
    RECT rc{};
    GetWindowRect(Handle(), &rc);
    const controls::Size fitting = FittingWindowSize();
    const RECT to = suggested
                        ? *suggested
                        : RECT{rc.left, rc.top, rc.left + fitting.width, rc.top + fitting.height};
    SetWindowPos(Handle(), nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm1::ApplyLinkColour() {
    // The link stands on the panels' button face.
    lblURL.textColor = gui::LinkColour(shared::HighContrast(), GetSysColor(COLOR_HOTLIGHT),
                                       GetSysColor(COLOR_BTNFACE));
    if (lblURL.Handle())
        InvalidateRect(lblURL, nullptr, TRUE);
}

} // namespace gui
