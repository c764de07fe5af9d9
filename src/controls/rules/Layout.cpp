#include "controls/rules/Layout.h"

#include <cstdint>

namespace controls {

Rect ScaleRect(const Rect& r, int dpi) {
    // The edges are scaled, not the size: rounded on its own, a size could add a pixel to a
    // rounded position, and a control would end past its parent.
    const int left = ScaleToDpi(r.left, dpi);
    const int top = ScaleToDpi(r.top, dpi);
    return {left, top, ScaleToDpi(r.left + r.width, dpi) - left,
            ScaleToDpi(r.top + r.height, dpi) - top};
}

Rect Anchored(const Rect& designed, unsigned anchors, int dw, int dh) {
    Rect r = designed;
    if (anchors & akRight) {
        if (anchors & akLeft)
            r.width += dw;
        else
            r.left += dw;
    }
    if (anchors & akBottom) {
        if (anchors & akTop)
            r.height += dh;
        else
            r.top += dh;
    }
    return r;
}

Rect LabelBeside(const Rect& field, Size label, int dpi) {
    return {field.left - ScaleToDpi(kLabelGap, dpi) - label.width,
            field.top + (field.height - label.height) / 2, label.width, label.height};
}

Point CentreOnScreen(int screenWidth, int screenHeight, int width, int height) {
    int x = (screenWidth - width) / 2;
    int y = (screenHeight - height) / 2;
    return {x < 0 ? 0 : x, y < 0 ? 0 : y};
}

int TopWithinWorkArea(int top, int height, int workTop, int workBottom) {
    if (top + height <= workBottom)
        return top;
    const int raised = workBottom - height;
    return raised > workTop ? raised : workTop;
}

Size FormClientSize(Size content, int dpi) {
    int border = ScaleToDpi(kFormBorder, dpi);
    return {content.width + 2 * border, content.height + 2 * border};
}

} // namespace controls
