#include "builder/BuilderPath.h"

#include <gtest/gtest.h>

#include "LeadBytes.h"

TEST(BuilderPath, BesideTheExecutable) {
    EXPECT_EQ(BuilderPathFor("C:\\Program Files\\Veskmaker\\Veskmaker.exe"),
              "C:\\Program Files\\Veskmaker\\VKB.exe");
    EXPECT_EQ(BuilderPathFor("C:\\Veskmaker.exe"), "C:\\VKB.exe");
    EXPECT_EQ(BuilderPathFor("\\\\server\\share\\tools\\V.exe"),
              "\\\\server\\share\\tools\\VKB.exe");
    EXPECT_EQ(BuilderPathFor("C:\\My.Tools\\v"), "C:\\My.Tools\\VKB.exe");
}

TEST(BuilderPath, OtherSeparatorsAndDegenerateForms) {
    EXPECT_EQ(BuilderPathFor("C:/Tools/V.exe"), "C:/Tools/VKB.exe");
    EXPECT_EQ(BuilderPathFor("C:\\Tools/V.exe"), "C:\\Tools/VKB.exe");
    EXPECT_EQ(BuilderPathFor("C:V.exe"), "C:\\VKB.exe");
    EXPECT_EQ(BuilderPathFor("V.exe"), "VKB.exe");
    EXPECT_EQ(BuilderPathFor(""), "VKB.exe");
    // A colon past the drive belongs to a stream name, not to the directory.
    EXPECT_EQ(BuilderPathFor("C:\\Tools\\V.exe:alt"), "C:\\Tools\\VKB.exe");
}

TEST(BuilderPath, TrailByteIsNoSeparator) {
    // The file name "A\x95\\B.exe" holds a double-byte character whose trail byte is '\'.
    EXPECT_EQ(BuilderPathFor("C:\\Tools\\A\x95\\B.exe", TestLead), "C:\\Tools\\VKB.exe");
    EXPECT_EQ(BuilderPathFor("C:\\\x95\\\\B.exe", TestLead), "C:\\\x95\\\\VKB.exe");
}
