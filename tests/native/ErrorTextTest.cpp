#include "app/ErrorText.h"

#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include "LeadBytes.h"

TEST(ErrorBoxText, FullStopAfterCharactersAboveTheFullStop) {
    EXPECT_EQ(app::ErrorBoxText("The specified source does not exist"),
              "The specified source does not exist.");
    EXPECT_EQ(app::ErrorBoxText("Error 42"), "Error 42.");
    EXPECT_EQ(app::ErrorBoxText("Really?"), "Really?.");
    EXPECT_EQ(app::ErrorBoxText("Path:"), "Path:.");
    EXPECT_EQ(app::ErrorBoxText("a/"), "a/."); // 0x2F, just above
    // Bytes from 128 compare unsigned: above the full stop.
    EXPECT_EQ(app::ErrorBoxText("Caf\xE9"), "Caf\xE9.");
    EXPECT_EQ(app::ErrorBoxText("x\x80"), "x\x80.");
}

TEST(ErrorBoxText, NothingAfterTheFullStopAndBelow) {
    for (const char* message :
         {"", "You must specify an output vesk.", "Index out of bounds (10)", "Stop!", "a,", "a-",
          "a ", "a\r\n", "a\"", "a#", "a%", "a'", "a*", "a+"})
        EXPECT_EQ(app::ErrorBoxText(message), message);
}

TEST(ErrorBoxText, LeadByteOfLastDoubleByteCharacterCounts) {
    // The trail byte ')' would suppress the stop; the lead byte 0x81 asks for it.
    EXPECT_EQ(app::ErrorBoxText("a\x81)", TestLead), "a\x81).");
    EXPECT_EQ(app::ErrorBoxText("a\x81)"), "a\x81)");
    // Characters before the last pair are walked in steps, so ")\x81)" ends in a pair.
    EXPECT_EQ(app::ErrorBoxText("\x81)\x81)", TestLead), "\x81)\x81).");
}

TEST(ReadableTypeName, NamesClassesAsCppSpellsThem) {
    const std::pair<const char*, const char*> names[] = {
        {"St13runtime_error", "std::runtime_error"},
        {"9Exception", "Exception"},
        {"N3gui6TErrorE", "gui::TError"},
        {"N1a1BE", "a::B"},
        {"NSt8ios_base7failureB5cxx11E", "std::ios_base::failure"},
        {"N12_GLOBAL__N_14OopsE", "(anonymous namespace)::Oops"},
        {"St20bad_array_new_length", "std::bad_array_new_length"}};
    for (const auto& [mangled, readable] : names)
        EXPECT_EQ(app::ReadableTypeName(mangled), readable);
    // What it cannot read comes back as it is, never cut or overrun.
    for (const char* odd :
         {"", "St", "N3fooE3bar", "N3foo", "3fo", "St9bad_allocI", "PKc", "99999999999999999999x"})
        EXPECT_EQ(app::ReadableTypeName(odd), odd);
}

TEST(GenericErrorText, FixedLayoutWithPointerWideAddress) {
    const void* address = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(0xABCDEF));
    const std::string hex = sizeof(void*) == 8 ? "0000000000ABCDEF" : "00ABCDEF";
    EXPECT_EQ(app::GenericErrorText("EAccessViolation", "Veskmaker.exe", address, "Bad read"),
              "Exception EAccessViolation in module Veskmaker.exe at " + hex +
                  ".\r\nBad read.\r\n");
}

TEST(GenericErrorText, OnlyAFinalFullStopSuppressesTheStop) {
    const std::string head =
        "Exception E in module m.exe at " + std::string(2 * sizeof(void*), '0') + ".\r\n";
    EXPECT_EQ(app::GenericErrorText("E", "m.exe", nullptr, ""), head + "\r\n");
    EXPECT_EQ(app::GenericErrorText("E", "m.exe", nullptr, "done."), head + "done.\r\n");
    EXPECT_EQ(app::GenericErrorText("E", "m.exe", nullptr, "Stop!"), head + "Stop!.\r\n");
    EXPECT_EQ(app::GenericErrorText("E", "m.exe", nullptr, "(x)"), head + "(x).\r\n");
}

TEST(GenericErrorText, TextsAreNeverFormatStrings) {
    EXPECT_EQ(app::GenericErrorText("%s", "%n%p.exe", nullptr, "100%d"),
              "Exception %s in module %n%p.exe at " + std::string(2 * sizeof(void*), '0') +
                  ".\r\n100%d.\r\n");
}

// A long path alone made the box wider than the screen: long runs without a blank are broken
// after a separator, or anywhere when they have none, each break counting the run anew; short
// texts stay as they are, and a trail byte that looks like a backslash is none.
TEST(ErrorBoxText, LongRunsAreBrokenSoTheBoxFitsTheScreen) {
    const std::string part(29, 'p'); // with its backslash, 30 characters
    const std::string path = "C:\\" + part + "\\" + part + "\\" + part + "\\VKB.exe";
    const std::string shortText = "Unable to write to C:\\Apps\\Veskmaker.ini";
    const std::string a(100, 'a'), a59(59, 'a'), b58(58, 'b');
    const std::pair<std::string, std::string> cases[] = {
        {"Unable to start " + path + ": Path not found",
         "Unable to start C:\\" + part + "\\" + part + "\\\n" + part + "\\VKB.exe: Path not found"},
        {a + std::string(50, 'a'), a + "\n" + std::string(50, 'a')},
        {a + a, a + "\n" + a},
        {a59 + "\\" + b58 + "\\c", a59 + "\\\n" + b58 + "\\c"}, // 59 since the break: too few
        {"x " + b58 + "\\c", "x " + b58 + "\\c"},               // a blank counts the run anew too
        {shortText, shortText},
    };
    for (const auto& [text, wrapped] : cases)
        EXPECT_EQ(app::WrapLongRuns(text), wrapped);
    EXPECT_EQ(app::WrapLongRuns(a59 + "\x81\\c", TestLead), a59 + "\x81\\c");
}
