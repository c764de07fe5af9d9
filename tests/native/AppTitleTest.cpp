#include "app/AppTitle.h"

#include <gtest/gtest.h>

#include "LeadBytes.h"

namespace {

// Marks the part it was given, to show where lower-casing began.
std::string MarkingLower(const std::string& s) {
    return "[" + shared::AsciiLower(s) + "]";
}

} // namespace

TEST(AppTitle, LowerCaseAfterTheFirstCharacter) {
    EXPECT_EQ(app::AppTitleFromPath("C:\\Tools\\vESKMAKER.exe"), "veskmaker");
    EXPECT_EQ(app::AppTitleFromPath("NOPATH"), "Nopath");
}

// The whole path is taken apart, however long its folder; the caption holds 255 bytes of the
// name, and a double-byte character is not split at that end.
TEST(AppTitle, LongPathsKeepTheirNameAndTheTitleIsCut) {
    const std::string folder = "C:\\" + std::string(300, 'f') + "\\";
    EXPECT_EQ(app::AppTitleFromPath(folder + "Packer.exe"), "Packer");
    EXPECT_EQ(app::AppTitleFromPath(folder + std::string(300, 'A') + ".exe"),
              "A" + std::string(254, 'a'));
    EXPECT_EQ(app::AppTitleFromPath(folder + std::string(255, 'A')), "A" + std::string(254, 'a'));
    EXPECT_EQ(app::AppTitleFromPath(folder + std::string(254, 'A') + "\x88" + "B.exe", TestLead),
              "A" + std::string(253, 'a'));
}

TEST(AppTitle, DoubleByteFirstCharacterStaysWhole) {
    const std::string lead = "\x88"; // apart, as "\x88A" would read as one longer escape
    EXPECT_EQ(app::AppTitleFromPath("C:\\" + lead + "ABC.exe", TestLead, MarkingLower),
              lead + "A[bc]");
    EXPECT_EQ(app::AppTitleFromPath("C:\\ABC.exe", TestLead, MarkingLower), "A[bc]");
    // A lone lead byte at the very end is taken as one character.
    EXPECT_EQ(app::AppTitleFromPath("C:\\" + lead, TestLead, MarkingLower), lead + "[]");
}
