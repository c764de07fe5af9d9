// A DLL planted beside the exe under a system DLL's name never runs in the program: the DLLs
// it loads when first used (the pickers', and the screen readers' with their strings) come
// from the system folder. The test's own ctest entry runs it with WINEDLLOVERRIDES set to
// "n,b" for those names, which makes Wine treat them as Windows treats any DLL that is not
// one of its "known DLLs": a file of that name beside the exe comes first.
//
// ole32 is not planted: under Wine, imm32 initialises COM of its own accord when the first
// window is activated, through a delay load that ignores the process's DLL directories, so a
// planted ole32 would run in every GUI program there. On Windows ole32 is a known DLL.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

using namespace e2e;

namespace {

constexpr const char* kPlanted[] = {"shell32", "comdlg32", "oleacc", "oleaut32"};

// Opens the picker behind a "..." button and cancels it; false when none came up.
bool OpenAndCancel(AppProcess& app, int buttonId) {
    Click(app.Control(buttonId));
    const auto seen = AnswerDialog(OfProcess(app.Pid()), PressCancel);
    return seen && !seen->forced &&
           WaitUntil([&] { return IsWindowEnabled(app.MainWindow()) != FALSE; });
}

} // namespace

TEST(PlantedDllE2e, PlantedSystemDllsNeverRunAndThePickersStillOpen) {
    const char* overrides = std::getenv("WINEDLLOVERRIDES");
    for (const char* name : kPlanted)
        if (!overrides || !std::strstr(overrides, name))
            GTEST_SKIP() << "run by its own ctest entry, with WINEDLLOVERRIDES preferring " << name
                         << " beside the exe";
    TempDir dir;
    const std::string exe = PrepareAppDir(dir.Path(), "Veskmaker.exe");
    for (const char* name : kPlanted)
        ASSERT_TRUE(CopyFileA(WinPath(MARKER_DLL_PATH).c_str(),
                              (dir / (std::string(name) + ".dll")).c_str(), FALSE));

    AppProcess app(exe, dir.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(OpenAndCancel(app, gui::idBtnBrowseSrc)) << "no folder browser";
    EXPECT_TRUE(OpenAndCancel(app, gui::idBtnBrowseOut)) << "no save dialog";
    EXPECT_EQ(HeardName(app.Control(gui::idBtnBrowseSrc)), "Browse for the source folder");
    for (const char* name : kPlanted)
        EXPECT_FALSE(FileExists(dir / (std::string(name) + ".dll.loaded")))
            << "the planted " << name << ".dll ran in the program";
    EXPECT_EQ(app.CloseAndWait(), 0u);
}
