#include "gui/Form1Design.h"

#include <cstddef>

#include "controls/rules/Colour.h"

namespace gui {

unsigned LinkColour(bool highContrast, unsigned systemLinkColour, unsigned background) {
    // Text reads well from a contrast of 4.5 on; blue on black has 2.4.
    constexpr double kReadable = 4.5;
    return highContrast || ContrastRatio(kLinkBlue, background) < kReadable ? systemLinkColour
                                                                            : kLinkBlue;
}

TArgRule RuleOf(TControlKind kind) {
    switch (kind) {
    case TControlKind::ComboBox:
        return TArgRule::Always;
    case TControlKind::CheckBox:
        return TArgRule::IfChecked;
    case TControlKind::SpinEdit:
        return TArgRule::IfPositive;
    default:
        return TArgRule::IfNotEmpty;
    }
}

TBuilderArgument EmptyArgument(const TDesignRow& row) {
    TBuilderArgument argument{row.option, RuleOf(KindOf(row))};
    argument.label = LabelOf(row.id);
    return argument;
}

std::vector<Rect> PlaceDesign(int contentWidth, int dpi) {
    const int border = ScaleToDpi(kFormBorder, dpi);
    // How much each row has grown beyond its design; the window's content by the width given.
    std::vector<int> grown;
    auto growthOf = [&](ControlId parent) {
        if (parent == idForm)
            return contentWidth - ScaleToDpi(kDesignWidth, dpi);
        for (std::size_t i = 0; i < grown.size(); ++i)
            if (kForm1Design[i].id == parent)
                return grown[i];
        return 0;
    };
    std::vector<Rect> placed;
    for (const TDesignRow& row : kForm1Design) {
        if (row.options & (doPage | doBeside)) {
            placed.emplace_back();
            grown.push_back(0);
            continue;
        }
        const Rect designed = ScaleRect(row.bounds, dpi);
        Rect r = Anchored(designed, row.anchors, growthOf(row.parent), 0);
        grown.push_back(r.width - designed.width);
        if (row.parent == idForm) {
            r.left += border;
            r.top += border;
        }
        placed.push_back(r);
    }
    return placed;
}

} // namespace gui
