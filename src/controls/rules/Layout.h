// Layout arithmetic of the main window: designed at 96 dpi, scaled to the system's, with
// controls that keep their distance to the parent's right or bottom edge when it grows.
#pragma once

namespace controls {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};
struct Point {
    int x = 0, y = 0;
};
struct Size {
    int width = 0, height = 0;
};

enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

constexpr int kDesignDpi = 96;
// Space between the window's client edge and its content, on every side.
constexpr int kFormBorder = 8;

// Rounded like MulDiv, so the layout is the identity at 96 dpi.
constexpr int ScaleToDpi(int designPixels, int dpi) {
    const long long scaled = static_cast<long long>(designPixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                        : (scaled - half) / kDesignDpi);
}
// A rectangle whose edges stand where the designed edges scale to.
Rect ScaleRect(const Rect& r, int dpi);

// Where a control goes when its parent is grown by dw, dh beyond its designed size.
Rect Anchored(const Rect& designed, unsigned anchors, int dw, int dh);

// A label left of its field: right edge 3 design pixels (scaled) before the field, centred
// vertically.
inline constexpr int kLabelGap = 3;
Rect LabelBeside(const Rect& field, Size label, int dpi);

// Top-left corner that centres a window on the screen, never above or left of it.
Point CentreOnScreen(int screenWidth, int screenHeight, int width, int height);

// The top of a window of that height whose top stands at `top`: kept whenever the window
// fits above the work area's bottom, otherwise moved up just as far as needed, never above
// the work area's top.
int TopWithinWorkArea(int top, int height, int workTop, int workBottom);

// The window sizes itself to its visible content plus the border.
Size FormClientSize(Size content, int dpi);

} // namespace controls
