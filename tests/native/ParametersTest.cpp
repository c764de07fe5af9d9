#include "helpers/BuilderInputs.h"

#include <cstdint>
#include <limits>
#include <utility>

#include <gtest/gtest.h>

#include "ArgvCorpus.h"
#include "ArgvSplit.h"
#include "LeadBytes.h"

using argv_split::SplitArguments;
using Args = std::vector<std::string>;

TEST(BuildParameters, MinimalString) {
    EXPECT_EQ(BuildParameters(BuilderInputs{"S", "O"}), "-source \"S\" -out \"O\" -waitonexit");
}

TEST(BuildParameters, WorkedExample) {
    BuilderInputs in{"S", "O", "T"};
    in.isProtected = true;
    in.priority = 3;
    EXPECT_EQ(BuildParameters(in),
              "-source \"S\" -out \"O\" -title \"T\" -flagprotected -priority 3 -waitonexit");
}

TEST(BuildParameters, EveryOptionInFixedOrder) {
    BuilderInputs in{"C:\\Work\\heavy", "C:\\Work\\heavy.vkpak", "Heavy", "Me", "7", "(c) 2024"};
    in.dev = in.mpXfer = in.isProtected = true;
    in.priority = 2147483647;
    EXPECT_EQ(BuildParameters(in),
              "-source \"C:\\Work\\heavy\" -out \"C:\\Work\\heavy.vkpak\" -title \"Heavy\" "
              "-author \"Me\" -build \"7\" -copyright \"(c) 2024\" -flagdev -flagmpxfer "
              "-flagprotected -priority 2147483647 -waitonexit");
}

TEST(BuildParameters, EachOptionalPieceOnItsOwn) {
    const std::pair<void (*)(BuilderInputs&), const char*> cases[] = {
        {[](BuilderInputs& in) { in.author = "A"; }, " -author \"A\""},
        {[](BuilderInputs& in) { in.build = "B"; }, " -build \"B\""},
        {[](BuilderInputs& in) { in.copyright = "C"; }, " -copyright \"C\""},
        {[](BuilderInputs& in) { in.dev = true; }, " -flagdev"},
        {[](BuilderInputs& in) { in.mpXfer = true; }, " -flagmpxfer"},
        {[](BuilderInputs& in) { in.priority = 1; }, " -priority 1"},
        // Blanks only still count and are passed unchanged.
        {[](BuilderInputs& in) { in.title = "   "; }, " -title \"   \""},
    };
    for (const auto& [set, piece] : cases) {
        BuilderInputs in{"S", "O"};
        set(in);
        EXPECT_EQ(BuildParameters(in),
                  std::string("-source \"S\" -out \"O\"") + piece + " -waitonexit");
    }
}

TEST(BuildParameters, NoPriorityForZeroOrNegative) {
    for (std::int32_t priority : {0, -1, -5, std::numeric_limits<std::int32_t>::min()}) {
        BuilderInputs in{"S", "O"};
        in.priority = priority;
        EXPECT_EQ(BuildParameters(in), "-source \"S\" -out \"O\" -waitonexit") << priority;
    }
}

TEST(QuoteArgument, PlainValuesOnlyGainQuotes) {
    for (const char* value : {"S", "C:\\Work\\heavy", "\\\\server\\share\\x", "a\\\\b", "   ",
                              "100%s", "\t", "\xE9t\xE9"}) {
        EXPECT_EQ(builder::QuoteArgument(value), std::string("\"") + value + "\"");
    }
}

TEST(QuoteArgument, BackslashesBeforeAQuoteOrTheEndAreDoubled) {
    EXPECT_EQ(builder::QuoteArgument("C:\\"), "\"C:\\\\\"");
    EXPECT_EQ(builder::QuoteArgument("\\\\server\\share\\\\"), "\"\\\\server\\share\\\\\\\\\"");
    EXPECT_EQ(builder::QuoteArgument("a\"b"), "\"a\\\"b\"");
    EXPECT_EQ(builder::QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    EXPECT_EQ(builder::QuoteArgument("\"\""), "\"\\\"\\\"\"");
    EXPECT_EQ(builder::QuoteArgument(""), "\"\"");
}

TEST(QuoteArgument, InjectedOptionsStayInsideTheValue) {
    const BuilderInputs in{"C:\\", "O", "x\" -flagdev -source \"C:\\"};
    EXPECT_EQ(SplitArguments(BuildParameters(in)),
              (Args{"-source", "C:\\", "-out", "O", "-title", "x\" -flagdev -source \"C:\\",
                    "-waitonexit"}));
}

TEST(QuoteArgument, EmptyValueIsOneEmptyArgument) {
    EXPECT_EQ(SplitArguments("-source " + builder::QuoteArgument("") + " -out " +
                             builder::QuoteArgument("")),
              (Args{"-source", "", "-out", ""}));
}

// The splitter is the judge of the round trip, so it must follow the documented examples.
TEST(ArgvSplit, FollowsTheWindowsRules) {
    EXPECT_EQ(SplitArguments("\"abc\" d e"), (Args{"abc", "d", "e"}));
    EXPECT_EQ(SplitArguments("a\\\\\\b d\"e f\"g h"), (Args{"a\\\\\\b", "de fg", "h"}));
    EXPECT_EQ(SplitArguments("a\\\\\\\"b c d"), (Args{"a\\\"b", "c", "d"}));
    EXPECT_EQ(SplitArguments("a\\\\\\\\\"b c\" d e"), (Args{"a\\\\b c", "d", "e"}));
    EXPECT_EQ(SplitArguments("  a\t\tb  "), (Args{"a", "b"}));
    EXPECT_EQ(SplitArguments("\"a\"\"\"b\""), (Args{"a\"b"}));
    EXPECT_EQ(SplitArguments("\"C:\\\" -out x"), (Args{"C:\" -out x"}));
    EXPECT_EQ(SplitArguments(""), Args{});
}

TEST(BuildParameters, CorpusSplitsBackToTheSameArguments) {
    const std::vector<std::string> values = argv_corpus::Values();
    ASSERT_GT(values.size(), 200u);
    for (const std::string& value : values) {
        const std::string line = BuildParameters(argv_corpus::InEveryText(value));
        ASSERT_EQ(SplitArguments(line), argv_corpus::EveryTextArguments(value)) << line;
    }
}

TEST(BuildParameters, CorpusCoversTheAwkwardBytes) {
    std::string all;
    for (const std::string& value : argv_corpus::Values()) {
        ASSERT_FALSE(value.empty());
        all += value;
    }
    for (char c : std::string("\"\\ \t%"))
        EXPECT_NE(all.find(c), std::string::npos) << c;
    for (int c = 128; c <= 255; ++c)
        EXPECT_NE(all.find(static_cast<char>(c)), std::string::npos) << c;
    EXPECT_NE(all.find("\\\\\\\""), std::string::npos); // a backslash run before a quote
}

// On a double-byte code page a trail byte may equal '\' (0x5C). It belongs to its
// character: doubling it would leave a lone backslash that escapes the closing quote.
TEST(QuoteArgumentDoubleByte, TrailBytesThatLookLikeBackslashesAreLeftAlone) {
    const std::string so = "\x83\x5C"; // a katakana character whose trail byte is 0x5C
    EXPECT_EQ(builder::QuoteArgument("C:\\" + so, TestLead), "\"C:\\" + so + "\"");
    EXPECT_EQ(builder::QuoteArgument(so + "\"", TestLead), "\"" + so + "\\\"\"");
    // A real backslash after the character still doubles before the closing quote.
    EXPECT_EQ(builder::QuoteArgument(so + "\\", TestLead), "\"" + so + "\\\\\"");
    EXPECT_EQ(builder::QuoteArgument("a\x83", TestLead),
              "\"a\x83\""); // a lone lead byte at the end
    // Without a lead-byte test the same bytes are taken one by one.
    EXPECT_EQ(builder::QuoteArgument("C:\\" + so), "\"C:\\\x83\\\\\"");
    BuilderInputs in{"D:\\" + so, "o"};
    EXPECT_EQ(BuildParameters(in, TestLead), "-source \"D:\\" + so + "\" -out \"o\" -waitonexit");
}

TEST(FitsOnCommandLine, QuotedPathBlankParametersAndZeroWithin32767) {
    const std::string path(100, 'p');
    // 100 + 2 quotes + 1 blank + parameters + 1 terminating zero.
    EXPECT_TRUE(builder::FitsOnCommandLine(path, std::string(32767 - 104, 'x')));
    EXPECT_FALSE(builder::FitsOnCommandLine(path, std::string(32767 - 103, 'x')));
    EXPECT_TRUE(builder::FitsOnCommandLine("C:\\VKB.exe", "-source \"a\" -out \"b\" -waitonexit"));
}
