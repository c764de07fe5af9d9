// What a path names, by every rule that takes it apart, side by side for the same inputs: the
// builder and the settings file must lie in one folder, and the title and the error box's
// caption must name the same file.
#include "History/SettingsPath.h"
#include "app/AppTitle.h"
#include "builder/BuilderPath.h"
#include "shared/Path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "LeadBytes.h"

TEST(Path, EveryRuleSideBySide) {
    struct Row {
        const char* path;
        bool doubleByte;
        const char *folder, *name, *base, *builder, *settings, *title;
    };
    // clang-format off
    const Row rows[] = {
        {"C:\\Program Files\\Tools\\PACKER.EXE", false, "C:\\Program Files\\Tools\\", "PACKER.EXE", "PACKER", "C:\\Program Files\\Tools\\VKB.exe", "C:\\Program Files\\Tools\\PACKER.ini", "Packer"},
        {"C:\\Veskmaker.exe", false, "C:\\", "Veskmaker.exe", "Veskmaker", "C:\\VKB.exe", "C:\\Veskmaker.ini", "Veskmaker"},
        {"\\\\server\\share\\A.exe", false, "\\\\server\\share\\", "A.exe", "A", "\\\\server\\share\\VKB.exe", "\\\\server\\share\\A.ini", "A"},
        // No folder: nothing is looked for along the search path or in the current folder.
        {"front.exe", false, "", "front.exe", "front", "", "", "front"},
        {"", false, "", "", "", "", "", ""},
        // A stream's colon ends the file name: the builder and the settings lie beside V.exe.
        {"C:\\T\\V.exe:alt", false, "C:\\T\\", "V.exe", "V", "C:\\T\\VKB.exe", "C:\\T\\V.ini", "V"},
        {"C:", false, "C:", "", "", "C:\\VKB.exe", "C:.ini", ""},
        {"C:V.exe", false, "C:", "V.exe", "V", "C:\\VKB.exe", "C:V.ini", "V"},
        {"C:/Tools/V.exe", false, "C:/Tools/", "V.exe", "V", "C:/Tools/VKB.exe", "C:/Tools/V.ini", "V"},
        {"C:\\My.Tools\\packer.old.exe", false, "C:\\My.Tools\\", "packer.old.exe", "packer.old", "C:\\My.Tools\\VKB.exe", "C:\\My.Tools\\packer.old.ini", "packer"},
        {"D:\\Apps\\front.", false, "D:\\Apps\\", "front.", "front", "D:\\Apps\\VKB.exe", "D:\\Apps\\front.ini", "front"},
        {"D:\\Apps\\.exe", false, "D:\\Apps\\", ".exe", "", "D:\\Apps\\VKB.exe", "D:\\Apps\\.ini", ""},
        // A trail byte that looks like '\\' or '.' is neither.
        {"C:\\Tools\\A\x95\\B.exe", true, "C:\\Tools\\", "A\x95\\B.exe", "A\x95\\B", "C:\\Tools\\VKB.exe", "C:\\Tools\\A\x95\\B.ini", "A\x95\\b"},
        {"C:\\Tools\\A\x95\\B.exe", false, "C:\\Tools\\A\x95\\", "B.exe", "B", "C:\\Tools\\A\x95\\VKB.exe", "C:\\Tools\\A\x95\\B.ini", "B"},
        {"D:\\ab\x81.x", true, "D:\\", "ab\x81.x", "ab\x81.x", "D:\\VKB.exe", "D:\\ab\x81.x.ini", "ab\x81.x"},
        {"D:\\ab\x81.x", false, "D:\\", "ab\x81.x", "ab\x81", "D:\\VKB.exe", "D:\\ab\x81.ini", "ab\x81"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const shared::LeadByteTest lead = row.doubleByte ? TestLead : shared::NoLeadBytes;
        EXPECT_EQ(shared::FolderOf(row.path, lead), row.folder);
        EXPECT_EQ(shared::FileNameOf(row.path, lead), row.name);
        EXPECT_EQ(shared::BaseNameOf(shared::FileNameOf(row.path, lead), lead), row.base);
        EXPECT_EQ(builder::BuilderPathFor(row.path, lead), row.builder);
        EXPECT_EQ(History::SettingsPathFor(row.path, lead), row.settings);
        EXPECT_EQ(app::AppTitleFromPath(row.path, lead), row.title);
    }
}

// How the ANSI calls reach the program's own folder when the code page cannot hold its name.
TEST(Path, ReachableThroughTheShortNameOfAFolderBeyondTheCodePage) {
    using Text = std::optional<std::string>;
    struct Row {
        Text exactPath, exactName, shortPath;
        const char* reached;
        bool beyond;
    };
    const Text none;
    const Row rows[] = {
        {"C:\\Tools\\V.exe", "V.exe", "C:\\TOOLS\\V.EXE", "C:\\Tools\\V.exe", false},
        // The folder by its short name; the exe keeps its own, so the settings file keeps its.
        {none, "Veskmaker.exe", "C:\\____~CZ4\\VESKMA~1.EXE", "C:\\____~CZ4\\Veskmaker.exe", false},
        {none, none, "C:\\____~CZ4\\____~1.EXE", "C:\\____~CZ4\\____~1.EXE", false},
        {none, "Veskmaker.exe", none, "", true},
        {"", "", none, "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reached);
        const shared::TReachablePath reached =
            shared::ReachablePath(row.exactPath, row.exactName, row.shortPath);
        EXPECT_EQ(reached.path, row.reached);
        EXPECT_EQ(reached.beyondCodePage, row.beyond);
    }
}
