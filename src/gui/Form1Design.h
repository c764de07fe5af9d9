// The main window's design: every control with its parent, rectangle, anchors, text and
// tab order, in the order the controls are made. Creation and layout both read this table,
// and the window tests check the built window against it.
#pragma once

#include "gui/ControlIds.h"
#include "gui/Layout.h"

#include <vector>

namespace gui {

enum TDesignOption : unsigned {
    doNone = 0,
    doHidden = 1,    // made hidden
    doDisabled = 2,  // made disabled
    doAutoWidth = 4, // a label as wide as its caption, never narrower than designed
    doBeside = 8,    // a label left of its field, centred on it
    doPage = 16,     // a page of its page control, laid over the control's display area
};

struct TDesignRow {
    const char* name;
    ControlId id;
    ControlId parent; // idForm: the window's client area, inside its border
    Rect bounds;      // at 96 dpi, in the parent's client area
    unsigned anchors;
    const char* text;
    int tabOrder; // within the parent; -1 for controls that take no focus
    unsigned options = doNone;
    ControlId buddy = idForm; // for a label: the field it stands left of, centred on it
};

// The maker's web site: shown as the link's caption, opened with "http://" in front.
inline constexpr const char* kMakerHost = "www.veskmaker.example";

// The client area that the design fills, without the window's border.
inline constexpr int kDesignWidth = 370;

inline constexpr unsigned kTopLeft = akLeft | akTop;
inline constexpr unsigned kTopRight = akRight | akTop;
inline constexpr unsigned kTopWide = akLeft | akRight | akTop;

// Rows of a parent come after the parent; within a parent, creation order is z-order, and
// the dialog manager walks the tab stops in that order. The pages lie over the page control
// as its siblings, so the page tabs come first in the keyboard's order and then the active
// page's fields, as in every property sheet.
// clang-format off
// NOLINTNEXTLINE(modernize-avoid-c-arrays): the compiler counts the rows
inline constexpr TDesignRow kForm1Design[] = {
    {"Panel2", idPanel2, idForm, {0, 0, 370, 80}, kTopWide, "", 0},
    {"btnBrowseSrc", idBtnBrowseSrc, idPanel2, {344, 0, 26, 21}, kTopRight, "...", 0},
    {"btnBrowseOut", idBtnBrowseOut, idPanel2, {344, 27, 26, 21}, kTopRight, "...", 1},
    {"lblSource", idLblSource, idPanel2, {0, 3, 34, 13}, kTopLeft, "Source", -1, doAutoWidth, idCmbSource},
    {"cmbSource", idCmbSource, idPanel2, {56, 0, 280, 21}, kTopWide, "", 2},
    {"lblOutput", idLblOutput, idPanel2, {0, 29, 32, 13}, kTopLeft, "Output", -1, doAutoWidth, idCmbOutput},
    {"cmbOutput", idCmbOutput, idPanel2, {56, 26, 280, 21}, kTopWide, "", 3},
    {"btnAdvanced", idBtnAdvanced, idPanel2, {215, 55, 75, 25}, kTopRight, "Advanced", 4},
    {"btnCreate", idBtnCreate, idPanel2, {295, 54, 75, 25}, kTopRight, "Create!", 5},
    {"lblURL", idLblURL, idPanel2, {9, 60, 105, 13}, kTopLeft, kMakerHost, -1, doAutoWidth},
    {"Panel3", idPanel3, idForm, {0, 88, 370, 174}, kTopWide, "", 1, doHidden | doDisabled},
    {"pgeAdvanced", idPgeAdvanced, idPanel3, {0, 10, 370, 164}, kTopWide | akBottom, "", 0},
    {"TabSheet1", idTabSheet1, idPanel3, {}, kTopLeft, "Text", -1, doPage, idPgeAdvanced},
    {"lblTitle", idLblTitle, idTabSheet1, {}, kTopLeft, "Title", -1, doBeside, idEdtTitle},
    {"edtTitle", idEdtTitle, idTabSheet1, {72, 16, 282, 21}, kTopLeft, "", 0},
    {"lblAuthor", idLblAuthor, idTabSheet1, {}, kTopLeft, "Author", -1, doBeside, idEdtAuthor},
    {"edtAuthor", idEdtAuthor, idTabSheet1, {72, 44, 282, 21}, kTopLeft, "", 1},
    {"lblBuild", idLblBuild, idTabSheet1, {}, kTopLeft, "Build", -1, doBeside, idEdtBuild},
    {"edtBuild", idEdtBuild, idTabSheet1, {72, 72, 282, 21}, kTopLeft, "", 2},
    {"lblCopyright", idLblCopyright, idTabSheet1, {}, kTopLeft, "Copyright", -1, doBeside, idEdtCopyright},
    {"edtCopyright", idEdtCopyright, idTabSheet1, {72, 100, 282, 21}, kTopLeft, "", 3},
    {"TabSheet2", idTabSheet2, idPanel3, {}, kTopLeft, "Misc.", -1, doPage | doHidden, idPgeAdvanced},
    {"cbxDev", idCbxDev, idTabSheet2, {8, 8, 177, 17}, kTopLeft, "Development only", 0},
    {"cbxMpXfer", idCbxMpXfer, idTabSheet2, {8, 32, 169, 17}, kTopLeft, "Allow multiplayer transfer", 1},
    {"cbxProtected", idCbxProtected, idTabSheet2, {8, 56, 169, 17}, kTopLeft, "Protected", 2},
    {"lblPriority", idLblPriority, idTabSheet2, {8, 81, 31, 13}, kTopLeft, "Priority", -1, doAutoWidth, idSpnPriority},
    {"spnPriority", idSpnPriority, idTabSheet2, {54, 78, 93, 22}, kTopLeft, "0", 3},
    {"bvlSeparator", idBvlSeparator, idPanel3, {0, 0, 370, 2}, kTopWide, "", -1},
};
// clang-format on

// The row of a control; the table holds every id once.
constexpr const TDesignRow& DesignRow(ControlId id) {
    for (const TDesignRow& row : kForm1Design)
        if (row.id == id)
            return row;
    return kForm1Design[0];
}

// Whether the row is the block or lies inside it.
constexpr bool WithinBlock(const TDesignRow& row, ControlId block) {
    for (ControlId id = row.id; id != idForm; id = DesignRow(id).parent)
        if (id == block)
            return true;
    return false;
}

// Where each row's control stands, in the order of the table, when the design fills a
// content area of that width (the window's client width less its borders), in its parent's
// client area: the window's own children inside the border, the rest anchored as designed.
// Pages and labels beside their field get an empty rectangle: their page control and
// their caption's size place them.
std::vector<Rect> PlaceDesign(int contentWidth, int dpi);

// Height of the content the window sizes itself to, with the advanced block or without.
constexpr int DesignContentHeight(bool advancedShown) {
    const Rect& block = (advancedShown ? DesignRow(idPanel3) : DesignRow(idPanel2)).bounds;
    return block.top + block.height;
}

} // namespace gui
