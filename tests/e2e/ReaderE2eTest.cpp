// What a screen reader hears for every control of the window, asked as readers ask: through
// MSAA from another process, for the window's client object.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

TEST(ReaderE2e, EveryControlIsHeardByWhatItDoes) {
    const TempDir dir;
    AppProcess app(PrepareAppDir(dir.Path(), "Veskmaker.exe"), dir.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(app.ToggleAdvanced());
    const std::pair<int, const char*> expected[] = {
        {idBtnBrowseSrc, "Browse for the source folder"},
        {idBtnBrowseOut, "Choose the output file"},
        {idCmbSource, "Source"},
        {idCmbOutput, "Output"},
        {idBtnAdvanced, "Simple"},
        {idBtnCreate, "Create!"},
        {idEdtTitle, "Title"},
        {idEdtAuthor, "Author"},
        {idEdtBuild, "Build"},
        {idEdtCopyright, "Copyright"},
        {idCbxDev, "Development only"},
        {idCbxMpXfer, "Allow multiplayer transfer"},
        {idCbxProtected, "Protected"},
        {idSpnPriority, "Priority"},
    };
    for (const auto& [id, name] : expected) {
        const std::string heard = HeardName(app.Control(id));
        std::printf("[ heard    ] %-5d %s\n", id, heard.c_str());
        EXPECT_EQ(heard, name) << id;
    }
    const std::vector<HWND> arrows = app.PriorityArrows();
    EXPECT_EQ(HeardName(arrows[0]), "Increase Priority");
    EXPECT_EQ(HeardName(arrows[1]), "Decrease Priority");
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
}
