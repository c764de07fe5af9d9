// Paths of any length and name that Windows allows: a source folder deeper than MAX_PATH (Wine
// starts no program from so deep a folder; the settings file and the builder there are tested
// in process), and the program in a folder whose name the code page cannot hold.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace e2e;

namespace {

// Once the window is up without a box, fills in the source and "o.vkpak" and presses
// "Create!", which must end without a box.
void CreateWithoutABox(AppProcess& app, const std::string& source) {
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_EQ(FindDialog(OfProcess(app.Pid())), nullptr) << "a box at start";
    SetText(app.Control(gui::idCmbSource), source);
    SetText(app.Control(gui::idCmbOutput), "o.vkpak");
    const ButtonPress create(app.Control(gui::idBtnCreate));
    ASSERT_TRUE(WaitUntil([&] { return create.Done() || FindDialog(OfProcess(app.Pid())); }));
    const auto box = AnswerDialog(OfProcess(app.Pid()), PressOk, 0);
    ASSERT_FALSE(box.has_value()) << box->text;
}

} // namespace

// The source is found, the builder started with the parameter string as ever, and the source
// kept in the settings file.
TEST(LongPathE2e, ASourceDeeperThanMaxPathIsTaken) {
    const TempDir appDir, data;
    const std::string source = data.MakeLongFolder(300);
    AppProcess app(PrepareAppDir(appDir.Path(), "Veskmaker.exe"), data.Path());
    ASSERT_NO_FATAL_FAILURE(CreateWithoutABox(app, source));
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecording(appDir.Path()).empty(); }));
    EXPECT_EQ(ArgsAfterProgram(ReadRecording(appDir.Path()).back().cmdline),
              "-source \"" + source + "\" -out \"o.vkpak\" -waitonexit");
    EXPECT_EQ(app.CloseAndWait(), 0u);
    EXPECT_NE(ReadFileText(appDir / "Veskmaker.ini").find(source), std::string::npos);
}

// Started from a folder named in Cyrillic under a Western code page, whose ANSI path is all
// question marks: the builder beside the exe is started through the folder's short name, and
// the settings file beside the exe keeps the entry.
TEST(LongPathE2e, AFolderNamedBeyondTheCodePageIsReachedThroughItsShortName) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the folder's name must lie outside the code page (1252), not " << GetACP();
    const TempDir base, data;
    const std::wstring folder = winproc::Widen(base.Path()) +
                                L"\\\u0412\u0435\u0441\u043A \u041C\u0435\u0439\u043A\u0435\u0440";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring shortName(MAX_PATH, L'\0');
    shortName.resize(GetShortPathNameW(folder.c_str(), &shortName[0], MAX_PATH));
    const std::string shortFolder = winproc::Narrow(shortName);
    if (shortName.empty() || winproc::Widen(shortFolder) != shortName)
        GTEST_SKIP() << "this volume keeps no short name the code page can hold";
    PrepareAppDir(shortFolder, "Veskmaker.exe");
    AppProcess app(folder + L"\\Veskmaker.exe", data.Path());
    const std::string source = data.MakeFolder("src");
    ASSERT_NO_FATAL_FAILURE(CreateWithoutABox(app, source));
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecording(shortFolder).empty(); }));
    const std::string cmdline = ReadRecording(shortFolder).back().cmdline;
    EXPECT_EQ(cmdline, "\"" + shortFolder + "\\VKB.exe\" -source \"" + source +
                           "\" -out \"o.vkpak\" -waitonexit");
    EXPECT_EQ(app.CloseAndWait(), 0u);
    const std::string settings = ReadFileText(folder + L"\\Veskmaker.ini");
    EXPECT_EQ(settings, "[source]\r\n0=" + source + "\r\n[out]\r\n0=o.vkpak\r\n");
    std::printf(
        "[ observed ] builder started as %s\n[ observed ] settings file %s\\Veskmaker.ini\n",
        cmdline.c_str(), shortFolder.c_str());
}
