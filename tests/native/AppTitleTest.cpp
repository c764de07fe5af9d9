#include "app/AppTitle.h"

#include <gtest/gtest.h>

#include "LeadBytes.h"

namespace {

// Marks the part it was given, to show where lower-casing began.
std::string MarkingLower(const std::string& s) {
    return "[" + AsciiLower(s) + "]";
}

} // namespace

TEST(AppTitle, NameWithoutDirectoryAndExtensionLowerCaseAfterFirst) {
    EXPECT_EQ(AppTitleFromPath("C:\\Program Files\\Tools\\PACKER.EXE"), "Packer");
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\packer.old.exe"), "packer");
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\vESKMAKER.exe"), "veskmaker");
    EXPECT_EQ(AppTitleFromPath("C:\\My.Tools\\Veskmaker.exe"), "Veskmaker");
    EXPECT_EQ(AppTitleFromPath("\\\\server\\share\\A.exe"), "A");
}

TEST(AppTitle, DegenerateNames) {
    EXPECT_EQ(AppTitleFromPath(""), "");
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\"), "");
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\.exe"), "");
    EXPECT_EQ(AppTitleFromPath("NOPATH"), "Nopath");
}

TEST(AppTitle, TrailBytesAreNeitherBackslashNorFullStop) {
    // "\x95\\" is one character: the name starts after the real backslash before it.
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\\x95\\PACK.exe", TestLead), "\x95\\pack");
    // "\x81." is one character: the cut comes at the real full stop.
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\A\x81.B.exe", TestLead), "A\x81.b");
    // Without the lead-byte test the same bytes are separators.
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\\x95\\PACK.exe"), "Pack");
    EXPECT_EQ(AppTitleFromPath("C:\\Tools\\A\x81.B.exe"), "A\x81");
}

TEST(AppTitle, DoubleByteFirstCharacterStaysWhole) {
    EXPECT_EQ(AppTitleFromPath("C:\\\x88"
                               "ABC.exe",
                               TestLead, MarkingLower),
              "\x88"
              "A[bc]");
    EXPECT_EQ(AppTitleFromPath("C:\\ABC.exe", TestLead, MarkingLower), "A[bc]");
    // A lone lead byte at the very end is taken as one character.
    EXPECT_EQ(AppTitleFromPath("C:\\\x88", TestLead, MarkingLower), "\x88[]");
}
