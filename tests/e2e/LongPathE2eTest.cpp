// Paths of any length that Windows allows: the program in a folder deeper than MAX_PATH, with
// a source folder as deep.
#include "E2eSupport.h"

#include <gtest/gtest.h>

using namespace e2e;

// It starts without a word, takes the source, starts the builder beside it with the parameter
// string as ever, and keeps its settings file there.
TEST(LongPathE2e, TheProgramItsSourceAndItsSettingsMayLieDeeperThanMaxPath) {
    const TempDir base, data;
    const std::string appDir = base.MakeLongFolder(300);
    const std::string source = data.MakeLongFolder(300);
    AppProcess app(PrepareAppDir(appDir, "Veskmaker.exe"), base.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_EQ(FindMessageBox(app.Pid()), nullptr) << "a box at start";
    SetText(app.Control(idCmbSource), source);
    SetText(app.Control(idCmbOutput), "o.vkpak");
    const ButtonPress create(app.Control(idBtnCreate));
    ASSERT_TRUE(WaitUntil([&] { return create.Done() || FindMessageBox(app.Pid()); }));
    const auto box = WaitForMessageBox(app.Pid(), 0);
    ASSERT_FALSE(box.has_value()) << box->text;
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecording(appDir).empty(); }));
    EXPECT_EQ(ArgsAfterProgram(ReadRecording(appDir).back().cmdline),
              "-source \"" + source + "\" -out \"o.vkpak\" -waitonexit");
    app.Close();
    EXPECT_EQ(app.WaitForExit(), 0u);
    EXPECT_NE(ReadFileText(appDir + "\\Veskmaker.ini").find(source), std::string::npos);
}
