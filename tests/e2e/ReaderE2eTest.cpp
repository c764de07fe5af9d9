// What a screen reader hears for every control of the window, asked as readers ask: through
// MSAA from another process, for the window's client object.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

class ReaderE2e : public ::testing::Test {
protected:
    TempDir dir_;
};

} // namespace

TEST_F(ReaderE2e, EveryControlIsHeardByWhatItDoes) {
    AppProcess app(PrepareAppDir(dir_.Path(), "Veskmaker.exe"), dir_.Path());
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
    HWND column = FindWindowExA(app.Control(idTabSheet2), nullptr, "TSpinButton", nullptr);
    HWND up = FindWindowExA(column, nullptr, "TTimerSpeedButton", nullptr);
    EXPECT_EQ(HeardName(up), "Increase Priority");
    EXPECT_EQ(HeardName(FindWindowExA(column, up, "TTimerSpeedButton", nullptr)),
              "Decrease Priority");
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
}
