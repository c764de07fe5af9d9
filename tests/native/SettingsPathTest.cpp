#include "History/SettingsPath.h"

#include <gtest/gtest.h>

#include "LeadBytes.h"

TEST(SettingsPath, ExtensionReplacedOrAppended) {
    EXPECT_EQ(SettingsPathFor("D:\\Apps\\front.exe"), "D:\\Apps\\front.ini");
    EXPECT_EQ(SettingsPathFor("D:\\My.Apps\\front"), "D:\\My.Apps\\front.ini");
    EXPECT_EQ(SettingsPathFor("D:\\Apps\\front.old.exe"), "D:\\Apps\\front.old.ini");
    EXPECT_EQ(SettingsPathFor("D:\\Apps\\front."), "D:\\Apps\\front.ini");
    EXPECT_EQ(SettingsPathFor("D:\\Apps\\.exe"), "D:\\Apps\\.ini");
    EXPECT_EQ(SettingsPathFor("a.b:c"), "a.b:c.ini");
    EXPECT_EQ(SettingsPathFor("front"), "front.ini");
    EXPECT_EQ(SettingsPathFor(""), ".ini");
}

TEST(SettingsPath, TrailBytesAreNeitherBackslashNorFullStop) {
    // The trail '\' of "\x95\\" does not hide the extension before it.
    EXPECT_EQ(SettingsPathFor("D:\\a.b\x95\\c", TestLead), "D:\\a.ini");
    EXPECT_EQ(SettingsPathFor("D:\\a.b\x95\\c"), "D:\\a.b\x95\\c.ini");
    // The trail '.' of "\x81." starts no extension.
    EXPECT_EQ(SettingsPathFor("D:\\ab\x81.x", TestLead), "D:\\ab\x81.x.ini");
}
