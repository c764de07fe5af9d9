#include "gui/Form1Design.h"

#include <map>

namespace gui {

std::vector<Rect> PlaceDesign(int contentWidth, int dpi) {
    const int border = ScaleToDpi(kFormBorder, dpi);
    // How much each container has grown beyond its design, the window's content first.
    std::map<int, int> grown{{idForm, contentWidth - ScaleToDpi(kDesignWidth, dpi)}};
    std::vector<Rect> placed;
    for (const TDesignRow& row : kForm1Design) {
        grown[row.id] = 0;
        if (row.options & (doPage | doBeside)) {
            placed.emplace_back();
            continue;
        }
        const Rect designed = ScaleRect(row.bounds, dpi);
        Rect r = Anchored(designed, row.anchors, grown[row.parent], 0);
        grown[row.id] = r.width - designed.width;
        if (row.parent == idForm) {
            r.left += border;
            r.top += border;
        }
        placed.push_back(r);
    }
    return placed;
}

} // namespace gui
