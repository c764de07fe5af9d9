#include "gui/Form1Design.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
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
    EXPECT_EQ(gui::LinkColour(false, kSystem, 0x00C0C0C0), gui::kLinkBlue);
}

// Scaled by their edges, not their sizes, no control ends past its parent at any DPI: rounded
// on its own, a size could add a pixel to a rounded position ("Create!" at 144 dpi ended at
// 556 in a 555-pixel panel).
TEST(Form1Design, NoControlEndsPastItsParentAtAnyDpi) {
    for (int dpi = 96; dpi <= 288; dpi += 24) {
        SCOPED_TRACE(dpi);
        const int width = controls::ScaleToDpi(gui::kDesignWidth, dpi);
        const std::vector<controls::Rect> placed = gui::PlaceDesign(width, dpi);
        auto placedOf = [&](gui::ControlId id) {
            for (std::size_t i = 0; i < placed.size(); ++i)
                if (gui::kForm1Design[i].id == id)
                    return placed[i];
            return controls::Rect{};
        };
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const gui::TDesignRow& row = gui::kForm1Design[i];
            if (row.parent == gui::idForm || placed[i].width == 0)
                continue;
            const controls::Rect parent = placedOf(row.parent);
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
