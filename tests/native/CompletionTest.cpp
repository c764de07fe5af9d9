#include "controls/rules/Completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kItems = {"C:\\Games\\Vesk", "c:\\games\\other", "D:\\Out\\a.vkpak",
                                         "D:\\Out"};

// A comparison that takes every item to begin with what was typed.
bool AnyHead(const std::string&, const std::string&) {
    return true;
}

// A completion in one line: the item's index, the text and the selection [start,end).
std::string Shown(const std::optional<controls::CompletionResult>& r) {
    if (!r)
        return "typed as it is";
    return std::to_string(r->itemIndex) + " " + r->text + " [" + std::to_string(r->selStart) + "," +
           std::to_string(r->selEnd) + ")";
}

TEST(Completion, KeepsUserCaseSelectsTheAddedRestAndTakesTheFirstMatch) {
    EXPECT_EQ(Shown(controls::CompleteTyped("c:\\g", 4, "A", kItems)), "0 c:\\gAmes\\Vesk [5,13)");
    EXPECT_EQ(Shown(controls::CompleteTyped("", 0, "d", kItems)), "2 d:\\Out\\a.vkpak [1,14)");
    // An exact whole-item match selects nothing.
    EXPECT_EQ(Shown(controls::CompleteTyped("D:\\Ou", 5, "t", {"D:\\Out"})), "0 D:\\Out [6,6)");
}

TEST(Completion, TypedOverSelectionLooksUpTextBeforeIt) {
    // The rest completed earlier is selected; typing replaces it and completes anew.
    EXPECT_EQ(Shown(controls::CompleteTyped("c:\\gAmes\\Vesk", 5, "m", kItems)),
              "0 c:\\gAmes\\Vesk [6,13)");
    // Text after the selection start plays no part in the lookup.
    EXPECT_EQ(Shown(controls::CompleteTyped("c:\\gzzz", 4, "a", kItems)),
              "0 c:\\games\\Vesk [5,13)");
}

TEST(Completion, NoMatchOrShortItemsTypeNormally) {
    EXPECT_FALSE(controls::CompleteTyped("E:", 2, "\\", kItems).has_value());
    EXPECT_FALSE(controls::CompleteTyped("D:\\Out", 6, "x", {"D:\\Out"}).has_value());
    EXPECT_FALSE(controls::CompleteTyped("", 0, "a", {}).has_value());
    EXPECT_FALSE(controls::CompleteTyped("", 0, "a", {""}).has_value());
}

TEST(Completion, BackspaceTabAndEscapeNeverComplete) {
    for (const char* typed : {"\b", "\t", "\x1b"})
        EXPECT_FALSE(
            controls::CompleteTyped("C:", 2, typed, {"C:\b", "C:\t", "C:\x1b"}).has_value())
            << static_cast<int>(typed[0]);
}

TEST(Completion, SelectionStartOutsideTheTextIsClamped) {
    EXPECT_EQ(Shown(controls::CompleteTyped("C:", 99, "\\", kItems)), "0 C:\\Games\\Vesk [3,13)");
    EXPECT_EQ(Shown(controls::CompleteTyped("zz", -3, "c", kItems)), "0 c:\\Games\\Vesk [1,13)");
}

// Shift-JIS: 0x82 leads a two-byte character whose trail byte may look like any letter.
TEST(Completion, DoubleByteCharactersCompleteWholeAndAreNeverCut) {
    const auto lead = [](unsigned char c) { return c == 0x82; };
    const std::vector<std::string> items = {"C:\\\x82\x41x", "C:\\\x82\xA0\x82\xA2\\data"};
    // A typed double-byte character completes like any other.
    EXPECT_EQ(Shown(controls::CompleteTyped("C:\\", 3, "\x82\xA0", items, lead)),
              "1 " + items[1] + " [5,12)");
    // A selection start inside a character is taken back to its start.
    EXPECT_EQ(Shown(controls::CompleteTyped("C:\\\x82\xA0", 4, "\x82\xA0", items, lead)),
              "1 " + items[1] + " [5,12)");
    // Even where the comparison would agree, an item is not cut inside a character: its
    // trail byte would turn up as a letter of its own.
    EXPECT_FALSE(controls::CompleteTyped("", 0, "a", {"\x82\x41rest"}, lead, AnyHead).has_value());
}

TEST(Completion, UsesTheGivenComparison) {
    // By default the histories' comparison decides: the user's locale on Windows, which
    // folds letters beyond ASCII as well, and ASCII letters only elsewhere.
#ifdef _WIN32
    EXPECT_TRUE(controls::CompleteTyped("", 0, "\xE4", {"\xC4pfel"}).has_value());
#else
    EXPECT_FALSE(controls::CompleteTyped("", 0, "\xE4", {"\xC4pfel"}).has_value());
#endif
    EXPECT_EQ(
        Shown(controls::CompleteTyped("", 0, "\xE4", {"\xC4pfel"}, shared::NoLeadBytes, AnyHead)),
        "0 \xE4pfel [1,5)");
}

} // namespace
