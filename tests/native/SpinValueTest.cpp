#include "controls/rules/SpinValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kMin = INT32_MIN;
constexpr std::int32_t kMax = INT32_MAX;

using Reads = std::vector<std::pair<std::string, std::int32_t>>;

void ExpectReads(const Reads& table) {
    for (const auto& [text, expected] : table)
        EXPECT_EQ(controls::ReadSpinValue(text, 0), expected) << "text \"" << text << "\"";
}

TEST(SpinValueRead, DecimalWithSignsAndLeadingBlanks) {
    ExpectReads({{"0", 0},
                 {"5", 5},
                 {"007", 7},
                 {"+7", 7},
                 {"-5", -5},
                 {"-0", 0},
                 {"+0", 0},
                 {" 12", 12},
                 {"   -3", -3},
                 {"1999", 1999},
                 {"2147483647", kMax},
                 {"-2147483648", kMin},
                 {"00000000000000000042", 42}});
}

TEST(SpinValueRead, HexPrefixesAndDigitCase) {
    const Reads hex = {{"$10", 16},          {"0x10", 16},         {"0X10", 16},
                       {"x10", 16},          {"X10", 16},          {"$A", 10},
                       {"$ff", 255},         {"$fF", 255},         {"$9a", 154},
                       {" $7FFFFFFF", kMax}, {"$80000000", kMin},  {"$FFFFFFFF", -1},
                       {"0xFFFFFFFF", -1},   {"$0000000000001", 1}};
    ExpectReads(hex);
}

TEST(SpinValueRead, UnparsableTextReadsAsMinimum) {
    const std::vector<std::string> bad = {
        "",     " ",    "+",    "-",    "- 5",        "12 ",         "1.5",
        "1,5",  "\t12", "12a",  "+-",   "1-2",        "x",           "$",
        "0x",   "0X",   "-$10", "+$10", "-0x10",      "$10 ",        "$G",
        "0x-1", "$$1",  "0$1",  "abc",  "2147483648", "-2147483649", "99999999999"};
    for (const auto& text : bad) {
        EXPECT_EQ(controls::ReadSpinValue(text, 0), 0) << "text \"" << text << "\"";
        EXPECT_EQ(controls::ReadSpinValue(text, -17), -17) << "text \"" << text << "\"";
    }
}

TEST(SpinValueRead, HexOverflowGuardStopsAtNineSignificantDigits) {
    EXPECT_EQ(controls::ReadSpinValue("$100000000", 5), 5);
    EXPECT_EQ(controls::ReadSpinValue("$FFFFFFFF0", 0), 0);
    EXPECT_EQ(controls::ReadSpinValue("0x123456789", 3), 3);
    EXPECT_EQ(controls::ReadSpinValue("$10000000", 0), 0x10000000);
}

TEST(SpinValueBound, EqualBoundsMeanNoBound) {
    EXPECT_EQ(controls::BoundValue(-5, 0, 0), -5);
    EXPECT_EQ(controls::BoundValue(kMax, 0, 0), kMax);
    EXPECT_EQ(controls::BoundValue(kMin, 7, 7), kMin);
}

TEST(SpinValueBound, ClampsIntoRange) {
    EXPECT_EQ(controls::BoundValue(-1, 0, 10), 0);
    EXPECT_EQ(controls::BoundValue(11, 0, 10), 10);
    EXPECT_EQ(controls::BoundValue(5, 0, 10), 5);
    EXPECT_EQ(controls::BoundValue(0, 0, 10), 0);
    EXPECT_EQ(controls::BoundValue(10, 0, 10), 10);
}

TEST(SpinValueFormat, PlainDecimal) {
    EXPECT_EQ(controls::FormatSpinValue(0), "0");
    EXPECT_EQ(controls::FormatSpinValue(7), "7");
    EXPECT_EQ(controls::FormatSpinValue(-1), "-1");
    EXPECT_EQ(controls::FormatSpinValue(1234567), "1234567");
    EXPECT_EQ(controls::FormatSpinValue(kMax), "2147483647");
    EXPECT_EQ(controls::FormatSpinValue(kMin), "-2147483648");
}

TEST(SpinValueStep, StepsAndWrapsAtBothEnds) {
    EXPECT_EQ(controls::StepValue(0, 1, true), 1);
    EXPECT_EQ(controls::StepValue(0, 1, false), -1);
    EXPECT_EQ(controls::StepValue(kMax, 1, true), kMin);
    EXPECT_EQ(controls::StepValue(kMin, 1, false), kMax);
    EXPECT_EQ(controls::StepValue(kMax - 1, 5, true), kMin + 3);
    EXPECT_EQ(controls::StepValue(5, -10, true), -5);
    EXPECT_EQ(controls::StepValue(kMin, kMin, false), 0);
}

TEST(SpinValueStep, FormattedStepReadsBack) {
    // Stepping writes text that the next read must give back exactly.
    for (std::int32_t v : {kMin, -1, 0, 41, kMax}) {
        const std::int32_t stepped = controls::StepValue(v, 1, true);
        EXPECT_EQ(controls::ReadSpinValue(controls::FormatSpinValue(stepped), 0), stepped);
    }
}

TEST(SpinCharFilter, AcceptsDigitsSignsSeparatorAndControlChars) {
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_TRUE(controls::SpinCharAccepted(c, '.', true)) << c;
    for (char c : {'+', '-', '.'})
        EXPECT_TRUE(controls::SpinCharAccepted(c, '.', true)) << c;
    // Backspace, Tab, Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z and the rest below 32 but Enter.
    for (int code : {1, 3, 8, 9, 10, 22, 24, 26, 27, 31})
        EXPECT_TRUE(controls::SpinCharAccepted(static_cast<char>(code), '.', true)) << code;
}

TEST(SpinCharFilter, RejectsEnterBlankLettersPunctuationAndHighChars) {
    for (int code : {13, int{' '}, int{'a'}, int{'Z'}, int{'x'}, int{'$'}, int{','}, int{'/'},
                     int{':'}, 127, 128, 200, 255}) {
        EXPECT_FALSE(controls::SpinCharAccepted(static_cast<char>(code), '.', true)) << code;
    }
}

TEST(SpinCharFilter, DecimalSeparatorFollowsLocale) {
    EXPECT_TRUE(controls::SpinCharAccepted(',', ',', true));
    EXPECT_FALSE(controls::SpinCharAccepted('.', ',', true));
    // A locale that gives no separator falls back to the point.
    EXPECT_TRUE(controls::SpinCharAccepted('.', '\0', true));
}

TEST(SpinCharFilter, DisabledEditorKeepsOnlyControlCharsOtherThanBackspace) {
    for (char c : {'0', '9', '+', '-', '.', ','})
        EXPECT_FALSE(controls::SpinCharAccepted(c, ',', false)) << c;
    EXPECT_FALSE(controls::SpinCharAccepted(8, '.', false));
    EXPECT_FALSE(controls::SpinCharAccepted(13, '.', false));
    EXPECT_FALSE(controls::SpinCharAccepted('a', '.', false));
    EXPECT_TRUE(controls::SpinCharAccepted(3, '.', false));
    EXPECT_TRUE(controls::SpinCharAccepted(9, '.', false));
}

} // namespace
