// A DLL planted beside the exe under a system DLL's name never runs in the program: the DLLs
// it loads when first used (the pickers', COM's and the screen readers') come from the system
// folder. Wine is told to prefer the files beside the exe for those names, as Windows does for
// any DLL that is not one of its "known DLLs".
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

constexpr const char* kPlanted[] = {"shell32", "comdlg32", "ole32", "oleacc", "oleaut32"};

// Sets an environment variable for the programs this process starts, and puts it back.
class TChildEnvironment {
public:
    TChildEnvironment(const char* name, const std::string& value) : name_(name) {
        const DWORD length = GetEnvironmentVariableA(name, nullptr, 0);
        had_ = length > 0;
        old_.resize(length);
        if (had_)
            GetEnvironmentVariableA(name, old_.data(), length);
        SetEnvironmentVariableA(name, value.c_str());
    }
    TChildEnvironment(const TChildEnvironment&) = delete;
    TChildEnvironment& operator=(const TChildEnvironment&) = delete;
    ~TChildEnvironment() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// Opens the picker behind a "..." button and cancels it; false when none came up.
bool OpenAndCancel(AppProcess& app, int buttonId) {
    Click(app.Control(buttonId));
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindMessageBox(app.Pid())) != nullptr; }))
        return false;
    windrive::Press(dialog, IDCANCEL);
    return WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(app.MainWindow()); });
}

} // namespace

TEST(PlantedDllE2e, PlantedSystemDllsNeverRunAndThePickersStillOpen) {
    TempDir dir;
    const std::string exe = PrepareAppDir(dir.Path(), "Veskmaker.exe");
    std::string overrides = "mscoree,mshtml=;winedbg.exe=d;";
    for (const char* name : kPlanted) {
        ASSERT_TRUE(CopyFileA(WinPath(MARKER_DLL_PATH).c_str(),
                              (dir / (std::string(name) + ".dll")).c_str(), FALSE));
        overrides += std::string(name) + ",";
    }
    overrides.back() = '=';
    const TChildEnvironment preferPlanted("WINEDLLOVERRIDES", overrides + "n,b");

    AppProcess app(exe, dir.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(OpenAndCancel(app, idBtnBrowseSrc)) << "no folder browser";
    EXPECT_TRUE(OpenAndCancel(app, idBtnBrowseOut)) << "no save dialog";
    EXPECT_EQ(HeardName(app.Control(idBtnBrowseSrc)), "Browse for the source folder");
    for (const char* name : kPlanted)
        EXPECT_FALSE(FileExists(dir / (std::string(name) + ".dll.loaded")))
            << "the planted " << name << ".dll ran in the program";
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
}
