// The kinds of control the program makes, one small class each.
#pragma once

namespace gui {

enum class TControlKind {
    Panel,
    Label,
    Button,
    CheckBox,
    ComboBox,
    Edit,
    SpinEdit,
    PageControl,
    Bevel,
    Unknown
};

} // namespace gui
