// The window's own arithmetic, worked out by hand: where it first stands, its labels beside
// their fields, the border round its content, and the top that keeps it on the work area.
#include "controls/rules/Layout.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<int, 2> Xy(controls::Point p) {
    return {p.x, p.y};
}

} // namespace

TEST(Layout, WindowLabelBorderAndTopAsWorkedOutByHand) {
    // Centred, halves cut; a window larger than the screen starts at its top left corner.
    EXPECT_EQ(Xy(controls::CentreOnScreen(1280, 1024, 386, 153)), (std::array<int, 2>{447, 435}));
    EXPECT_EQ(Xy(controls::CentreOnScreen(300, 200, 386, 250)), (std::array<int, 2>{0, 0}));
    // Three pixels left of the field, centred on it with the odd pixel below.
    const controls::Rect label = controls::LabelBeside({72, 16, 282, 21}, {30, 13}, 96);
    EXPECT_EQ((std::array<int, 4>{label.left, label.top, label.width, label.height}),
              (std::array<int, 4>{39, 20, 30, 13}));
    const controls::Size at96 = controls::FormClientSize({370, 80}, 96);
    const controls::Size at144 = controls::FormClientSize({555, 120}, 144);
    EXPECT_EQ((std::array<int, 4>{at96.width, at96.height, at144.width, at144.height}),
              (std::array<int, 4>{386, 96, 579, 144}));
    // Kept where it fits, raised just enough where it does not, never above the work area.
    EXPECT_EQ(controls::TopWithinWorkArea(100, 300, 0, 1000), 100);
    EXPECT_EQ(controls::TopWithinWorkArea(900, 300, 0, 1000), 700);
    EXPECT_EQ(controls::TopWithinWorkArea(100, 1200, 50, 1000), 50);
}
