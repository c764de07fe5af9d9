#include "gui/Form1Design.h"

#include <cstddef>

#include "controls/rules/Colour.h"

namespace gui {

unsigned LinkColour(bool highContrast, unsigned systemLinkColour, unsigned background) {
    // Text reads well from a contrast of 4.5 on; blue on black has 2.4.
    constexpr double kReadable = 4.5;
    return highContrast || controls::ContrastRatio(kLinkBlue, background) < kReadable
               ? systemLinkColour
               : kLinkBlue;
}

builder::TArgRule RuleOf(Kind kind) {
    switch (kind) {
    case Kind::ComboBox:
        return builder::TArgRule::Always;
    case Kind::CheckBox:
        return builder::TArgRule::IfChecked;
    case Kind::SpinEdit:
        return builder::TArgRule::IfPositive;
    default:
        return builder::TArgRule::IfNotEmpty;
    }
}

namespace {

builder::TBuilderArgument EmptyArgument(const char* name, const TDesignRow& row) {
    builder::TBuilderArgument argument{name, RuleOf(row.kind)};
    argument.label = LabelOf(row.id);
    argument.field = row.id;
    return argument;
}

} // namespace

builder::TBuilderArguments EmptyArguments() {
    builder::TBuilderArguments arguments{
        EmptyArgument(builder::kSourceSwitch, DesignRow(idCmbSource)),
        EmptyArgument(builder::kOutputSwitch, DesignRow(idCmbOutput)),
        {}};
    for (const TDesignRow& row : kForm1Design)
        if (row.option)
            arguments.options.push_back(EmptyArgument(row.option, row));
    return arguments;
}

std::vector<controls::Rect> PlaceDesign(int contentWidth, int dpi, const TDesignRow* rows,
                                        std::size_t count) {
    const int border = controls::ScaleToDpi(controls::kFormBorder, dpi);
    // How much each row has grown beyond its design; the window's content by the width given.
    std::vector<int> grown;
    auto growthOf = [&](ControlId parent) {
        if (parent == idForm)
            return contentWidth - controls::ScaleToDpi(kDesignWidth, dpi);
        for (std::size_t i = 0; i < grown.size(); ++i)
            if (rows[i].id == parent)
                return grown[i];
        return 0;
    };
    std::vector<controls::Rect> placed;
    for (std::size_t n = 0; n < count; ++n) {
        const TDesignRow& row = rows[n];
        if (row.options & (doPage | doBeside)) {
            placed.emplace_back();
            grown.push_back(0);
            continue;
        }
        const controls::Rect designed = controls::ScaleRect(row.bounds, dpi);
        controls::Rect r = controls::Anchored(designed, row.anchors, growthOf(row.parent), 0);
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
