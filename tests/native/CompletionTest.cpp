#include "gui/Completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kItems = {"C:\\Games\\Vesk", "c:\\games\\other", "D:\\Out\\a.vkpak",
                                         "D:\\Out"};

TEST(Completion, KeepsUserCaseAndSelectsTheAddedRest) {
    const auto r = CompleteTyped("c:\\g", 4, "A", kItems);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->itemIndex, 0);
    EXPECT_EQ(r->text, "c:\\gAmes\\Vesk");
    EXPECT_EQ(r->selStart, 5);
    EXPECT_EQ(r->selEnd, 13);
}

TEST(Completion, FirstMatchFromTheTopWins) {
    const auto r = CompleteTyped("", 0, "d", kItems);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->itemIndex, 2);
    EXPECT_EQ(r->text, "d:\\Out\\a.vkpak");
    EXPECT_EQ(r->selStart, 1);
}

TEST(Completion, ExactWholeItemMatchSelectsNothing) {
    const auto r = CompleteTyped("D:\\Ou", 5, "t", {"D:\\Out"});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text, "D:\\Out");
    EXPECT_EQ(r->selStart, 6);
    EXPECT_EQ(r->selEnd, 6);
}

TEST(Completion, TypedOverSelectionLooksUpTextBeforeIt) {
    // The rest completed earlier is selected; typing replaces it and completes anew.
    const auto r = CompleteTyped("c:\\gAmes\\Vesk", 5, "m", kItems);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->itemIndex, 0);
    EXPECT_EQ(r->text, "c:\\gAmes\\Vesk");
    EXPECT_EQ(r->selStart, 6);
    // Text after the selection start plays no part in the lookup.
    const auto o = CompleteTyped("c:\\gzzz", 4, "a", kItems);
    ASSERT_TRUE(o.has_value());
    EXPECT_EQ(o->text, "c:\\games\\Vesk");
}

TEST(Completion, NoMatchOrShortItemsTypeNormally) {
    EXPECT_FALSE(CompleteTyped("E:", 2, "\\", kItems).has_value());
    EXPECT_FALSE(CompleteTyped("D:\\Out", 6, "x", {"D:\\Out"}).has_value());
    EXPECT_FALSE(CompleteTyped("", 0, "a", {}).has_value());
    EXPECT_FALSE(CompleteTyped("", 0, "a", {""}).has_value());
}

TEST(Completion, BackspaceTabAndEscapeNeverComplete) {
    for (char c : {'\b', '\t', '\x1b'}) {
        EXPECT_FALSE(
            CompleteTyped("C:", 2, std::string(1, c), {"C:\b", "C:\t", "C:\x1b"}).has_value())
            << static_cast<int>(c);
    }
}

TEST(Completion, SelectionStartOutsideTheTextIsClamped) {
    const auto past = CompleteTyped("C:", 99, "\\", kItems);
    ASSERT_TRUE(past.has_value());
    EXPECT_EQ(past->text, "C:\\Games\\Vesk");
    const auto before = CompleteTyped("zz", -3, "c", kItems);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->text, "c:\\Games\\Vesk");
    EXPECT_EQ(before->selStart, 1);
}

// Shift-JIS: 0x82 leads a two-byte character whose trail byte may look like any letter.
TEST(Completion, DoubleByteCharactersCompleteWholeAndAreNeverCut) {
    const auto lead = [](unsigned char c) { return c == 0x82; };
    const std::vector<std::string> items = {"C:\\\x82\x41x", "C:\\\x82\xA0\x82\xA2\\data"};
    // A typed double-byte character completes like any other.
    const auto r = CompleteTyped("C:\\", 3, "\x82\xA0", items, lead);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->itemIndex, 1);
    EXPECT_EQ(r->selStart, 5);
    EXPECT_EQ(r->text, items[1]);
    // A selection start inside a character is taken back to its start.
    const auto inside = CompleteTyped("C:\\\x82\xA0", 4, "\x82\xA0", items, lead);
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(inside->selStart, 5);
    // Even where the comparison would agree, an item is not cut inside a character: its
    // trail byte would turn up as a letter of its own.
    const SamePrefixFn anyHead = [](const std::string&, const std::string&) { return true; };
    EXPECT_FALSE(CompleteTyped("", 0, "a", {"\x82\x41rest"}, lead, anyHead).has_value());
}

TEST(Completion, UsesTheGivenComparison) {
    // By default the histories' comparison decides: the user's locale on Windows, which
    // folds letters beyond ASCII as well, and ASCII letters only elsewhere.
#ifdef _WIN32
    EXPECT_TRUE(CompleteTyped("", 0, "\xE4", {"\xC4pfel"}).has_value());
#else
    EXPECT_FALSE(CompleteTyped("", 0, "\xE4", {"\xC4pfel"}).has_value());
#endif
    const SamePrefixFn anyHead = [](const std::string&, const std::string&) { return true; };
    const auto r = CompleteTyped("", 0, "\xE4", {"\xC4pfel"}, NoLeadBytes, anyHead);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text, "\xE4pfel");
}

} // namespace
