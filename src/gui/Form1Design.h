// The main window's design, one row per control: its member's name, id, parent, rectangle,
// anchors, text, the builder's switch it fills and its options, in the order the controls are
// made. Creation, layout, the id lookup, reading the builder's inputs and the tests all read it.
#pragma once

#include "builder/Parameters.h"
#include "gui/ControlIds.h"
#include "controls/rules/ControlKind.h"
#include "controls/rules/Layout.h"

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

namespace gui {

enum TDesignOption : unsigned {
    doNone = 0,
    doHidden = 1,    // made hidden
    doDisabled = 2,  // made disabled
    doAutoWidth = 4, // a label as wide as its caption, never narrower than designed
    doBeside = 8,    // a label left of its field, centred on it
    doPage = 16,     // a page of its page control, laid over the control's display area
    doLink = 32,     // a label that opens an address: a tab stop, in the link's font and colour
};

using Kind = controls::TControlKind;

struct TDesignRow {
    const char* name; // the member's name, as the house names it after its kind
    Kind kind;        // its window class, and for a field when its switch is passed (RuleOf)
    ControlId id;
    ControlId parent;      // idForm: the window's client area, inside its border
    controls::Rect bounds; // at 96 dpi, in the parent's client area
    unsigned anchors;
    const char* text;
    // A field's switch on the builder's command line after the two paths, in the order of the
    // rows; its kind says when it goes there (RuleOf).
    const char* option = nullptr;
    unsigned options = doNone;
    ControlId buddy = idForm; // for a label: the field it names; for a page: its page control
    // What a screen reader hears where the caption says too little ("..."); a field named by
    // a label is heard by the label's text.
    const char* accessibleName = nullptr;
};

// The maker's web site: shown as the link's caption, opened with "http://" in front.
inline constexpr const char* kMakerHost = "www.veskmaker.example";

// The client area that the design fills, without the window's border.
inline constexpr int kDesignWidth = 370;

// The window's font.
inline constexpr const char* kFontFace = "MS Sans Serif";
inline constexpr int kFontPoints = 8;

inline constexpr unsigned kTopLeft = controls::akLeft | controls::akTop;
inline constexpr unsigned kTopRight = controls::akRight | controls::akTop;
inline constexpr unsigned kTopWide = controls::akLeft | controls::akRight | controls::akTop;

// Rows of a parent come after the parent. Within a parent, creation order is z-order, and the
// dialog manager walks the tab stops in that order: the order of the rows is the tab order.
// The pages lie over the page control as its siblings, so the page tabs come first in the
// keyboard's order and then the active page's fields, as in every property sheet.
// clang-format off
// NOLINTNEXTLINE(modernize-avoid-c-arrays): the compiler counts the rows
inline constexpr TDesignRow kForm1Design[] = {
    {"Panel2", Kind::Panel, idPanel2, idForm, {0, 0, 370, 80}, kTopWide, ""},
    {"btnBrowseSrc", Kind::Button, idBtnBrowseSrc, idPanel2, {344, 0, 26, 21}, kTopRight, "...", nullptr, doNone, idForm, "Browse for the source folder"},
    {"btnBrowseOut", Kind::Button, idBtnBrowseOut, idPanel2, {344, 27, 26, 21}, kTopRight, "...", nullptr, doNone, idForm, "Choose the output file"},
    {"lblSource", Kind::Label, idLblSource, idPanel2, {0, 3, 34, 13}, kTopLeft, "Source", nullptr, doAutoWidth, idCmbSource},
    {"cmbSource", Kind::ComboBox, idCmbSource, idPanel2, {56, 0, 280, 21}, kTopWide, ""},
    {"lblOutput", Kind::Label, idLblOutput, idPanel2, {0, 29, 32, 13}, kTopLeft, "Output", nullptr, doAutoWidth, idCmbOutput},
    {"cmbOutput", Kind::ComboBox, idCmbOutput, idPanel2, {56, 26, 280, 21}, kTopWide, ""},
    {"btnAdvanced", Kind::Button, idBtnAdvanced, idPanel2, {215, 55, 75, 25}, kTopRight, "Advanced"},
    {"btnCreate", Kind::Button, idBtnCreate, idPanel2, {295, 54, 75, 25}, kTopRight, "Create!"},
    {"lblURL", Kind::Label, idLblURL, idPanel2, {9, 60, 105, 13}, kTopLeft, kMakerHost, nullptr, doAutoWidth | doLink},
    {"Panel3", Kind::Panel, idPanel3, idForm, {0, 88, 370, 174}, kTopWide, "", nullptr, doHidden | doDisabled},
    {"pgeAdvanced", Kind::PageControl, idPgeAdvanced, idPanel3, {0, 10, 370, 164}, kTopWide | controls::akBottom, ""},
    {"TabSheet1", Kind::Panel, idTabSheet1, idPanel3, {}, kTopLeft, "Text", nullptr, doPage, idPgeAdvanced},
    {"lblTitle", Kind::Label, idLblTitle, idTabSheet1, {}, kTopLeft, "Title", nullptr, doBeside, idEdtTitle},
    {"edtTitle", Kind::Edit, idEdtTitle, idTabSheet1, {72, 16, 282, 21}, kTopLeft, "", "-title"},
    {"lblAuthor", Kind::Label, idLblAuthor, idTabSheet1, {}, kTopLeft, "Author", nullptr, doBeside, idEdtAuthor},
    {"edtAuthor", Kind::Edit, idEdtAuthor, idTabSheet1, {72, 44, 282, 21}, kTopLeft, "", "-author"},
    {"lblBuild", Kind::Label, idLblBuild, idTabSheet1, {}, kTopLeft, "Build", nullptr, doBeside, idEdtBuild},
    {"edtBuild", Kind::Edit, idEdtBuild, idTabSheet1, {72, 72, 282, 21}, kTopLeft, "", "-build"},
    {"lblCopyright", Kind::Label, idLblCopyright, idTabSheet1, {}, kTopLeft, "Copyright", nullptr, doBeside, idEdtCopyright},
    {"edtCopyright", Kind::Edit, idEdtCopyright, idTabSheet1, {72, 100, 282, 21}, kTopLeft, "", "-copyright"},
    {"TabSheet2", Kind::Panel, idTabSheet2, idPanel3, {}, kTopLeft, "Misc.", nullptr, doPage | doHidden, idPgeAdvanced},
    {"cbxDev", Kind::CheckBox, idCbxDev, idTabSheet2, {8, 8, 177, 17}, kTopLeft, "Development only", "-flagdev"},
    {"cbxMpXfer", Kind::CheckBox, idCbxMpXfer, idTabSheet2, {8, 32, 169, 17}, kTopLeft, "Allow multiplayer transfer", "-flagmpxfer"},
    {"cbxProtected", Kind::CheckBox, idCbxProtected, idTabSheet2, {8, 56, 169, 17}, kTopLeft, "Protected", "-flagprotected"},
    {"lblPriority", Kind::Label, idLblPriority, idTabSheet2, {8, 81, 31, 13}, kTopLeft, "Priority", nullptr, doAutoWidth, idSpnPriority},
    {"spnPriority", Kind::SpinEdit, idSpnPriority, idTabSheet2, {54, 78, 93, 22}, kTopLeft, "0", "-priority"},
    {"bvlSeparator", Kind::Bevel, idBvlSeparator, idPanel3, {0, 0, 370, 2}, kTopWide, ""},
};
// clang-format on

// The row of a control; the table holds every id once.
constexpr const TDesignRow& DesignRow(ControlId id) {
    for (const TDesignRow& row : kForm1Design)
        if (row.id == id)
            return row;
    return kForm1Design[0];
}

// The link's colour: blue as designed, but the system's own link colour in a high-contrast
// theme, or where blue would be hard to read on the window's colour (a dark scheme set through
// the system's colours reports no high contrast).
inline constexpr unsigned kLinkBlue = 0x00FF0000; // RGB(0, 0, 255) as Windows stores it
unsigned LinkColour(bool highContrast, unsigned systemLinkColour, unsigned background);

// The text of the label that names a field, or "" when none does.
constexpr const char* LabelOf(ControlId field) {
    for (const TDesignRow& row : kForm1Design)
        if (row.buddy == field && (row.options & (doBeside | doAutoWidth)))
            return row.text;
    return "";
}

// What a screen reader hears for a row's control, or "" where the system's own answer does.
constexpr const char* AccessibleNameOf(const TDesignRow& row) {
    return row.accessibleName ? row.accessibleName : LabelOf(row.id);
}

// Whether the row is the block or lies inside it.
constexpr bool WithinBlock(const TDesignRow& row, ControlId block) {
    for (ControlId id = row.id; id != idForm; id = DesignRow(id).parent)
        if (id == block)
            return true;
    return false;
}

// When a field of that kind goes onto the builder's command line: a combo box's path always,
// an edit's text when it has a character, a check box when checked, the spin field's number
// when greater than 0.
builder::TArgRule RuleOf(Kind kind);
// The builder's arguments before their fields are read: the source and the output, and an
// option for each row with a switch, in their order; each with its rule, its field's id and
// the label that names the field.
builder::TBuilderArguments EmptyArguments();

// Where each row's control stands, in the order of the table, when the design fills a
// content area of that width (the window's client width less its borders), in its parent's
// client area: the window's own children inside the border, the rest anchored as designed.
// Pages and labels beside their field get an empty rectangle: their page control and
// their caption's size place them. The rows are the window's unless a test gives others.
std::vector<controls::Rect> PlaceDesign(int contentWidth, int dpi,
                                        const TDesignRow* rows = kForm1Design,
                                        std::size_t count = std::size(kForm1Design));

// Height of the content the window sizes itself to, with the advanced block or without.
constexpr int DesignContentHeight(bool advancedShown) {
    const controls::Rect& block =
        (advancedShown ? DesignRow(idPanel3) : DesignRow(idPanel2)).bounds;
    return block.top + block.height;
}

} // namespace gui
