// The kinds of control the program makes, one small class each. A design row states its
// control's kind; the kind gives the window's class and style and, for a field, when its value
// goes onto the builder's command line.
#pragma once

namespace controls {

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
};

} // namespace controls
