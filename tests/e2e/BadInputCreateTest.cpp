// Hostile Creates through the real window: sources that are no folder, a missing builder and
// two hundred Creates in a row.
#include "BadInput.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

using namespace badinput;

// A missing drive, UNC-looking and device paths and a file named as a folder are no
// folders: the source message, no builder, no new list entries.
TEST_F(BadInput, SourcesThatAreNoFolderShowTheSourceMessage) {
    char missingDrive = 0;
    for (char d = 'Q'; d <= 'Y' && !missingDrive; ++d)
        if (GetDriveTypeA((std::string(1, d) + ":\\").c_str()) == DRIVE_NO_ROOT_DIR)
            missingDrive = d;
    ASSERT_NE(missingDrive, 0) << "every drive letter from Q to Y is in use";
    const std::string file = data_ / "plain.txt";
    WriteFileText(file, "not a folder");
    const std::string drive(1, missingDrive);
    const std::vector<std::string> sources = {
        drive + ":\\",
        drive + ":\\vesk\\src",
        drive + ":relative",
        "\\\\?\\" + drive + ":\\vesk",
        "\\\\nohost\\share\\src",
        "\\\\nohost\\share",
        "\\\\?\\UNC\\nohost\\share\\src",
        "\\\\.\\nodevice",
        "NUL",
        "CON",
        file + "\\",
        file + "\\.",
    };
    auto p = Start();
    const std::string good = Folder("good");
    Fill(*p, {good, "first.vkpak"});
    ASSERT_TRUE(Create(*p).has_value());
    for (const auto& source : sources) {
        SCOPED_TRACE(source);
        PutText(p->Control(gui::idCmbSource), source);
        EXPECT_EQ(CreateAndExpectBox(*p), kNoSource);
        if (!Alive(*p))
            return;
        ExpectLists(*p, {good}, {"first.vkpak"});
    }
    EXPECT_EQ(ReadRecording(app_.Path()).size(), 1u) << "a refused source started the builder";
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

// Without VKB.exe a Create starts nothing and must take nothing down: the program runs
// on, its window answers, the lists keep the new entries (and save them), and once the
// builder is back the next Create reaches it.
TEST_F(BadInput, MissingBuilderKeepsTheWindowAndTheLists) {
    ASSERT_TRUE(DeleteFileA(BuilderPath().c_str()));
    auto p = Start();
    const BuilderInputs in{Folder("src"), "lost?.vkpak", "t"};
    Fill(*p, in);
    // One box, ours, saying what could not be started and why; the shell shows none.
    const std::string box = CreateAndExpectBox(*p);
    EXPECT_EQ(box.rfind("Unable to start " + BuilderPath() + ": ", 0), 0u) << box;
    ASSERT_TRUE(Alive(*p));
    ExpectLists(*p, {in.source}, {in.output});
    EXPECT_EQ(GetText(p->Control(gui::idEdtTitle)), "t");

    ASSERT_TRUE(CopyFileA(RecorderExePath().c_str(), BuilderPath().c_str(), FALSE));
    Fill(*p, {in.source, "found.vkpak", "t"});
    const auto cmdline = Create(*p);
    ASSERT_TRUE(cmdline.has_value());
    EXPECT_EQ(SplitCommandLine(*cmdline),
              (std::vector<std::string>{BuilderPath(), "-source", in.source, "-out", "found.vkpak",
                                        "-title", "t", "-waitonexit"}));
    EXPECT_EQ(p->CloseAndWait(), 0u);
    ExpectListsAfterRestart({in.source}, {"found.vkpak", "lost?.vkpak"});
}

namespace {

// Both lists after Create 50, 100, 150 and 200, newest first, worked out by hand: Create i takes
// source folder i mod 12 and output i mod 23, so the ten Creates up to one of these all differ.
struct TListsAfter {
    int create;
    std::array<int, 10> sources;
    std::array<int, 10> outputs;
};
constexpr TListsAfter kListsAfter[] = {
    {50, {2, 1, 0, 11, 10, 9, 8, 7, 6, 5}, {4, 3, 2, 1, 0, 22, 21, 20, 19, 18}},
    {100, {4, 3, 2, 1, 0, 11, 10, 9, 8, 7}, {8, 7, 6, 5, 4, 3, 2, 1, 0, 22}},
    {150, {6, 5, 4, 3, 2, 1, 0, 11, 10, 9}, {12, 11, 10, 9, 8, 7, 6, 5, 4, 3}},
    {200, {8, 7, 6, 5, 4, 3, 2, 1, 0, 11}, {16, 15, 14, 13, 12, 11, 10, 9, 8, 7}},
};

std::string OutputNumbered(int n) {
    return "out" + std::to_string(n) + ".vkpak";
}

std::vector<std::string> Named(const std::array<int, 10>& numbers,
                               const std::function<std::string(int)>& name) {
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back(name(n));
    return names;
}

} // namespace

// Two hundred Creates in a row: both lists stay at their ten newest entries, in order, every
// builder started gets its own Create's inputs, and the program holds no more windows and no
// more GDI objects after the last Create than after the twentieth. Wine takes a quarter of a
// second to start a process, so the builder is there for one Create in five only (the others
// take the missing-builder path and its box), and the next Create is pressed while a few
// builders are still starting.
TEST_F(BadInput, TwoHundredCreatesKeepTenEntriesAndLeakNoHandles) {
    constexpr int kCreates = 200;
    constexpr int kBuilderEvery = 5;
    constexpr size_t kBuildersInFlight = 6;
    std::vector<std::string> folders;
    for (int i = 0; i < 12; ++i)
        folders.push_back(Folder("src" + std::to_string(i)));
    const std::string parked = app_ / "VKB.parked";
    bool builderThere = true;
    auto p = Start();

    auto sourcesAfter = [&](const TListsAfter& at) {
        return Named(at.sources, [&](int n) { return folders[static_cast<size_t>(n)]; });
    };
    std::vector<std::vector<std::string>> expected;
    int gdiAt20 = 0, windowsAt20 = 0;
    const ULONGLONG started = GetTickCount64();
    for (int i = 1; i <= kCreates; ++i) {
        const bool withBuilder = i % kBuilderEvery == 0;
        if (withBuilder != builderThere) {
            // Renaming works while a builder started from the file still runs.
            ASSERT_TRUE(withBuilder ? MoveFileA(parked.c_str(), BuilderPath().c_str())
                                    : MoveFileA(BuilderPath().c_str(), parked.c_str()))
                << "error " << GetLastError();
            builderThere = withBuilder;
        }
        const std::string source = folders[static_cast<size_t>(i % 12)];
        const std::string output = OutputNumbered(i % 23);
        PutText(p->Control(gui::idCmbSource), source);
        PutText(p->Control(gui::idCmbOutput), output);
        Click(p->Control(gui::idBtnCreate));
        // The new output at the head of its list: the window has taken this Create.
        if (!WaitUntil([&] {
                const auto items = ComboItems(p->Control(gui::idCmbOutput));
                return (!items.empty() && items[0] == output) || !p->Running();
            }) ||
            !Alive(*p)) {
            ADD_FAILURE() << "Create " << i << " was not taken";
            break;
        }
        if (!withBuilder) {
            // The missing builder is reported, and the next Create must wait for the box.
            const auto box = AnswerDialog(OfProcess(p->Pid()));
            ASSERT_TRUE(box.has_value()) << "Create " << i << ": no box";
            EXPECT_EQ(box->text.rfind("Unable to start ", 0), 0u) << box->text;
        } else {
            expected.push_back({BuilderPath(), "-source", source, "-out", output, "-waitonexit"});
            WaitUntil([&] {
                return ReadRecording(app_.Path()).size() + kBuildersInFlight >= expected.size();
            });
        }
        if (i == 20) {
            gdiAt20 = winproc::GdiObjectCount(p->Handle(), p->Pid());
            windowsAt20 = windrive::WindowCount(p->Pid());
        }
        for (const TListsAfter& at : kListsAfter)
            if (at.create == i) {
                SCOPED_TRACE("after Create " + std::to_string(i));
                ExpectLists(*p, sourcesAfter(at), Named(at.outputs, OutputNumbered));
            }
    }
    EXPECT_TRUE(WaitUntil([&] { return ReadRecording(app_.Path()).size() >= expected.size(); }));
    const int gdiAt200 = winproc::GdiObjectCount(p->Handle(), p->Pid());
    const int windowsAt200 = windrive::WindowCount(p->Pid());

    // Builders started close together may log in another order.
    std::vector<std::vector<std::string>> recorded;
    for (const auto& r : ReadRecording(app_.Path()))
        recorded.push_back(SplitCommandLine(r.cmdline));
    std::sort(recorded.begin(), recorded.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(recorded, expected);

    std::printf("[ observed ] %d Creates (%zu builders) in %.1f s; windows %d -> %d; GDI "
                "objects %d -> %d\n",
                kCreates, expected.size(), (GetTickCount64() - started) / 1000.0, windowsAt20,
                windowsAt200, gdiAt20, gdiAt200);
    ASSERT_GT(windowsAt20, 0) << "the windows could not be counted";
    ASSERT_GT(gdiAt20, 0) << "the GDI objects could not be counted";
    EXPECT_EQ(windowsAt200, windowsAt20);
    EXPECT_EQ(gdiAt200, gdiAt20) << "GDI objects";
    const TListsAfter& last = kListsAfter[3];
    ASSERT_EQ(last.create, kCreates);
    ExpectLists(*p, sourcesAfter(last), Named(last.outputs, OutputNumbered));
    EXPECT_EQ(ComboItems(p->Control(gui::idCmbOutput)).size(), 10u);
    EXPECT_EQ(p->CloseAndWait(), 0u);
    ExpectListsAfterRestart(sourcesAfter(last), Named(last.outputs, OutputNumbered));
}
