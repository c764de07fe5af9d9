#include "gui/FilterString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "LeadBytes.h"

namespace {

// The strings as the common dialog walks them: up to each zero, until an empty one.
std::vector<std::string> WalkList(const std::string& list) {
    std::vector<std::string> parts;
    for (const char* p = list.c_str(); *p != '\0'; p += std::strlen(p) + 1)
        parts.emplace_back(p);
    return parts;
}

TEST(FilterString, VeskFilterBecomesFourStringsAndTwoZeros) {
    const std::string filter = "Vesk (*.vkpak)|*.vkpak|All Files (*.*)|*.*";
    const std::string list = gui::FilterToDoubleZeroList(filter);
    ASSERT_EQ(list.size(), filter.size() + 1);
    EXPECT_EQ(list.back(), '\0');
    EXPECT_EQ(list.c_str()[list.size()], '\0');
    EXPECT_EQ(WalkList(list),
              (std::vector<std::string>{"Vesk (*.vkpak)", "*.vkpak", "All Files (*.*)", "*.*"}));
}

TEST(FilterString, EmptyFilterIsAnEmptyList) {
    const std::string list = gui::FilterToDoubleZeroList("");
    EXPECT_EQ(list, std::string(1, '\0'));
    EXPECT_TRUE(WalkList(list).empty());
}

TEST(FilterString, BarAsTrailByteIsKept) {
    // "\x81|" is one double-byte character; the bar after it separates.
    const std::string filter = "A\x81|B|*.b";
    const std::string list = gui::FilterToDoubleZeroList(filter, TestLead);
    EXPECT_EQ(WalkList(list), (std::vector<std::string>{"A\x81|B", "*.b"}));
    // Without the code page's lead bytes every bar separates.
    EXPECT_EQ(WalkList(gui::FilterToDoubleZeroList(filter)),
              (std::vector<std::string>{"A\x81", "B", "*.b"}));
}

TEST(FilterString, LeadByteAtEndDoesNotSwallowTheClosingZero) {
    const std::string filter = "A|\x81";
    const std::string list = gui::FilterToDoubleZeroList(filter, TestLead);
    ASSERT_EQ(list.size(), filter.size() + 1);
    EXPECT_EQ(list, std::string("A\0\x81\0", 4));
}

} // namespace
