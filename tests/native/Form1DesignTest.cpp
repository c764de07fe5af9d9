#include "gui/Form1Design.h"

#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The dialog manager walks a container's tab stops in creation order, so the table's row
// order is the tab order: a row moved by mistake would silently reorder the keyboard.
TEST(Form1Design, ParentsComeFirstAndTheTopBlockTabsAsDesigned) {
    std::set<int> made{gui::idForm};
    std::vector<std::string> topTabs;
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(made.count(row.parent)) << "parent made later";
        EXPECT_TRUE(made.insert(row.id).second) << "id twice";
        if (row.parent == gui::idPanel2 && row.kind != gui::Kind::Label)
            topTabs.emplace_back(row.name);
    }
    EXPECT_EQ(topTabs, (std::vector<std::string>{"btnBrowseSrc", "btnBrowseOut", "cmbSource",
                                                 "cmbOutput", "btnAdvanced", "btnCreate"}));
}

// A text the code page cannot hold is refused with the name of its field: every field whose
// switch takes a text is named by a label.
TEST(Form1Design, EveryTextFieldWithASwitchHasALabel) {
    const builder::TBuilderArguments arguments = gui::EmptyArguments();
    EXPECT_STREQ(arguments.source.label, "Source");
    EXPECT_STREQ(arguments.output.label, "Output");
    for (const builder::TBuilderArgument& option : arguments.options) {
        if (builder::TakesText(option.rule)) {
            EXPECT_STRNE(option.label, "") << option.name;
        }
    }
}

// Blue as designed; the system's link colour in a high-contrast theme, and wherever blue would
// be hard to read on the window's colour, as in a dark scheme that reports no high contrast.
TEST(Form1Design, LinkTakesTheSystemsLinkColourWhereBlueReadsBadly) {
    constexpr unsigned kSystem = 0x00FFC080, kButtonFace = 0x00F0F0F0, kBlack = 0;
    EXPECT_EQ(gui::LinkColour(false, kSystem, kButtonFace), gui::kLinkBlue);
    EXPECT_EQ(gui::LinkColour(true, kSystem, kButtonFace), kSystem);
    EXPECT_EQ(gui::LinkColour(false, kSystem, kBlack), kSystem);
    EXPECT_EQ(gui::LinkColour(false, kSystem, 0x00404040), kSystem);
    EXPECT_EQ(gui::LinkColour(false, kSystem, 0x00909090), kSystem); // mid grey: blue reads badly
    EXPECT_EQ(gui::LinkColour(false, kSystem, 0x00C0C0C0), gui::kLinkBlue);
}

// Scaled by their edges, not their sizes, no control ends past its parent at any DPI: rounded
// on its own, a size could add a pixel to a rounded position ("Create!" at 144 dpi ended at
// 556 in a 555-pixel panel); one designed to end at its parent's edge ends there, however wide.
TEST(Form1Design, NoControlEndsPastItsParentAtAnyDpi) {
    for (int dpi = 96; dpi <= 288; dpi += 24)
        for (int wider : {0, 50}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, " << wider << " wider");
            const int width = controls::ScaleToDpi(gui::kDesignWidth, dpi) + wider;
            const std::vector<controls::Rect> placed = gui::PlaceDesign(width, dpi);
            for (std::size_t i = 0; i < placed.size(); ++i) {
                const gui::TDesignRow& row = gui::kForm1Design[i];
                if (row.parent == gui::idForm || placed[i].width == 0)
                    continue;
                const controls::Rect parent =
                    placed[&gui::DesignRow(row.parent) - gui::kForm1Design];
                if (parent.width == 0) // a page: its page control lays it out
                    continue;
                EXPECT_LE(placed[i].left + placed[i].width, parent.width) << row.name;
                EXPECT_LE(placed[i].top + placed[i].height, parent.height) << row.name;
                const controls::Rect& designed = row.bounds;
                if (designed.left + designed.width == gui::DesignRow(row.parent).bounds.width) {
                    EXPECT_EQ(placed[i].left + placed[i].width, parent.width) << row.name;
                }
            }
        }
}

// Where a row's control goes, worked out by hand, designed and wider, at 96 and 144 dpi: the
// window's children inside its border, anchored right moved or widened as its parent grew.
TEST(Form1Design, PlacesEachRowAsDesignedAndGrown) {
    const std::pair<int, int> layouts[] = {{96, 370}, {96, 470}, {144, 555}, {144, 615}};
    // clang-format off
    const std::pair<gui::ControlId, std::array<controls::Rect, 4>> rows[] = {
        {gui::idPanel2, {{{8, 8, 370, 80}, {8, 8, 470, 80}, {12, 12, 555, 120}, {12, 12, 615, 120}}}},
        {gui::idBtnCreate, {{{295, 54, 75, 25}, {395, 54, 75, 25}, {443, 81, 112, 38}, {503, 81, 112, 38}}}},
        {gui::idCmbSource, {{{56, 0, 280, 21}, {56, 0, 380, 21}, {84, 0, 420, 32}, {84, 0, 480, 32}}}},
        {gui::idLblURL, {{{9, 60, 105, 13}, {9, 60, 105, 13}, {14, 90, 157, 20}, {14, 90, 157, 20}}}},
        {gui::idPanel3, {{{8, 96, 370, 174}, {8, 96, 470, 174}, {12, 144, 555, 261}, {12, 144, 615, 261}}}},
        {gui::idPgeAdvanced, {{{0, 10, 370, 164}, {0, 10, 470, 164}, {0, 15, 555, 246}, {0, 15, 615, 246}}}},
        {gui::idEdtTitle, {{{72, 16, 282, 21}, {72, 16, 282, 21}, {108, 24, 423, 32}, {108, 24, 423, 32}}}},
        {gui::idSpnPriority, {{{54, 78, 93, 22}, {54, 78, 93, 22}, {81, 117, 140, 33}, {81, 117, 140, 33}}}},
        {gui::idBvlSeparator, {{{0, 0, 370, 2}, {0, 0, 470, 2}, {0, 0, 555, 3}, {0, 0, 615, 3}}}},
    };
    // clang-format on
    auto edges = [](const controls::Rect& r) {
        return std::array{r.left, r.top, r.width, r.height};
    };
    for (std::size_t layout = 0; layout < std::size(layouts); ++layout) {
        const auto [dpi, width] = layouts[layout];
        const std::vector<controls::Rect> placed = gui::PlaceDesign(width, dpi);
        ASSERT_EQ(placed.size(), std::size(gui::kForm1Design));
        for (const auto& [id, at] : rows) {
            const std::size_t row = &gui::DesignRow(id) - gui::kForm1Design;
            EXPECT_EQ(edges(placed[row]), edges(at[layout]))
                << gui::kForm1Design[row].name << " at " << dpi << " dpi, " << width << " wide";
        }
    }
}

// Each row grows with its own parent, found wherever it stands, and with no other row: in a
// panel that grows, one that does not and one that does, after a label that PlaceDesign
// leaves to its caption.
TEST(Form1Design, EachRowGrowsWithItsOwnParent) {
    using gui::Kind;
    // clang-format off
    const gui::TDesignRow rows[] = {
        {"pnlOuter", Kind::Panel, gui::idPanel2, gui::idForm, {0, 0, 370, 80}, gui::kTopWide, ""},
        {"lblBeside", Kind::Label, gui::idLblSource, gui::idPanel2, {}, gui::kTopLeft, "L", nullptr, gui::doBeside, gui::idCmbSource},
        {"pnlFixed", Kind::Panel, gui::idPanel3, gui::idPanel2, {0, 0, 100, 50}, gui::kTopLeft, ""},
        {"pnlWide", Kind::Panel, gui::idPgeAdvanced, gui::idPanel2, {0, 50, 370, 30}, gui::kTopWide, ""},
        {"btnFixed", Kind::Button, gui::idBtnCreate, gui::idPanel3, {10, 10, 80, 25}, gui::kTopWide, ""},
        {"cmbWide", Kind::ComboBox, gui::idCmbSource, gui::idPgeAdvanced, {10, 0, 350, 20}, gui::kTopWide, ""},
    };
    // clang-format on
    const std::vector<controls::Rect> placed = gui::PlaceDesign(470, 96, rows, std::size(rows));
    const std::array<int, 4> expected[] = {{8, 8, 470, 80},  {0, 0, 0, 0},     {0, 0, 100, 50},
                                           {0, 50, 470, 30}, {10, 10, 80, 25}, {10, 0, 450, 20}};
    ASSERT_EQ(placed.size(), std::size(expected));
    for (std::size_t i = 0; i < placed.size(); ++i)
        EXPECT_EQ((std::array{placed[i].left, placed[i].top, placed[i].width, placed[i].height}),
                  expected[i])
            << rows[i].name;
}
