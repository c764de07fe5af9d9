// Paths of any length that Windows allows: a source folder deeper than MAX_PATH. (Wine starts
// no program from so deep a folder; the settings file and the builder there are tested in
// process.)
#include "E2eSupport.h"

#include <gtest/gtest.h>

using namespace e2e;

// The source is found, the builder started with the parameter string as ever, and the source
// kept in the settings file.
TEST(LongPathE2e, ASourceDeeperThanMaxPathIsTaken) {
    const TempDir appDir, data;
    const std::string source = data.MakeLongFolder(300);
    AppProcess app(PrepareAppDir(appDir.Path(), "Veskmaker.exe"), data.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_EQ(FindDialog(OfProcess(app.Pid())), nullptr) << "a box at start";
    SetText(app.Control(idCmbSource), source);
    SetText(app.Control(idCmbOutput), "o.vkpak");
    const ButtonPress create(app.Control(idBtnCreate));
    ASSERT_TRUE(WaitUntil([&] { return create.Done() || FindDialog(OfProcess(app.Pid())); }));
    const auto box = AnswerDialog(OfProcess(app.Pid()), PressOk, 0);
    ASSERT_FALSE(box.has_value()) << box->text;
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecording(appDir.Path()).empty(); }));
    EXPECT_EQ(ArgsAfterProgram(ReadRecording(appDir.Path()).back().cmdline),
              "-source \"" + source + "\" -out \"o.vkpak\" -waitonexit");
    EXPECT_EQ(app.CloseAndWait(), 0u);
    EXPECT_NE(ReadFileText(appDir / "Veskmaker.ini").find(source), std::string::npos);
}
