// The pickers against the system's real dialogs, played from a second thread the way a user
// would: wait for the dialog, type, choose, press a button. And dropped-file blocks built in
// memory exactly as the shell hands them over.
#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui/Drop.h"
#include "gui/Pickers.h"
#include "helpers/DialogAnswerer.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"
#include "shared/Path.h"
#include "shared/System.h"

namespace {

using namespace windrive;
using namespace winfiles;

using TWindow = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;

// Stands in for the main window: visible, enabled and active when a picker opens.
TWindow MakeActiveWindow() {
    TWindow window(CreateWindowExA(0, "STATIC", "picker test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr),
                                   nullptr),
                   DestroyWindow);
    SetForegroundWindow(window.get());
    SetActiveWindow(window.get());
    return window;
}

// The save dialog may leave the process in the folder where the user confirmed.
struct TKeepCurrentDirectory {
    TKeepCurrentDirectory() { GetCurrentDirectoryA(sizeof saved, saved); }
    ~TKeepCurrentDirectory() { SetCurrentDirectoryA(saved); }
    char saved[MAX_PATH] = {};
};

gui::TSaveDialog VeskSaveDialog() {
    gui::TSaveDialog dialog;
    dialog.DefaultExt = "vkpak";
    dialog.Filter = "Vesk (*.vkpak)|*.vkpak|All Files (*.*)|*.*";
    return dialog;
}

// What the user saw when the save dialog came up.
struct TSaveDialogView {
    RECT bounds{};
    std::string title;
    std::string fileName;
    LRESULT fileType = -1;
    bool taskWindowEnabled = true;
};

// One use of the save dialog: it is looked at, the file type chosen, the name typed and the
// button pressed; Execute must report whether OK was.
TSaveDialogView UseSaveDialog(gui::TSaveDialog& dialog, HWND taskWindow, int fileType,
                              const std::string& name, int button) {
    TSaveDialogView view;
    TDialogAnswerer user(
        [&](HWND dlg) {
            view.bounds = WindowRectOf(dlg);
            view.title = GetText(dlg);
            view.fileName = GetText(FileNameField(dlg));
            view.fileType = Send(GetDlgItem(dlg, cmb1), CB_GETCURSEL, 0, 0);
            ChooseFileType(dlg, fileType);
            SetText(FileNameField(dlg), name);
            Press(dlg, button);
        },
        taskWindow);
    EXPECT_EQ(dialog.Execute(), button == IDOK);
    EXPECT_TRUE(user.Wait());
    view.taskWindowEnabled = user.Seen().watchedEnabledWhileUp;
    return view;
}

TEST(PickerPlacement, CentresAcrossTheMonitorAThirdOfTheWayDown) {
    // A second monitor right of the first, starting 40 pixels down.
    const RECT work{1280, 40, 1280 + 1920, 1080};
    POINT at = gui::SaveDialogPosition(work, SIZE{600, 400});
    EXPECT_EQ(at.x, 1940); // 1280 + 1320 / 2
    EXPECT_EQ(at.y, 253);  // 40 + 640 / 3

    // Odd remainders are dropped, not rounded.
    at = gui::SaveDialogPosition(RECT{0, 0, 1001, 1001}, SIZE{500, 500});
    EXPECT_EQ(at.x, 250);
    EXPECT_EQ(at.y, 167);

    // A dialog larger than the work area overhangs it evenly; the division truncates toward
    // zero on a monitor left of and above the primary one too.
    at = gui::SaveDialogPosition(RECT{-1024, -768, 0, 0}, SIZE{1029, 776});
    EXPECT_EQ(at.x, -1026); // -1024 + -5 / 2
    EXPECT_EQ(at.y, -770);  // -768 + -8 / 3
}

TEST(PickerSaveDialog, RemembersTheConfirmedFileAndFilterAndNothingOnCancel) {
    TKeepCurrentDirectory keepCwd;
    TWindow task = MakeActiveWindow();
    gui::TSaveDialog dialog = VeskSaveDialog();

    // A bare name comes back as a full path with the default extension, even under "All Files".
    const TSaveDialogView first = UseSaveDialog(dialog, task.get(), 1, "pick-one", IDOK);
    EXPECT_TRUE(IsFullPath(dialog.FileName)) << dialog.FileName;
    EXPECT_TRUE(EndsWithNoCase(dialog.FileName, "\\pick-one.vkpak")) << dialog.FileName;
    EXPECT_TRUE(shared::IsFolder(shared::FolderOf(dialog.FileName))) << dialog.FileName;
    EXPECT_EQ(dialog.FilterIndex, 2);
    EXPECT_EQ(first.fileName, "");
    EXPECT_EQ(first.fileType, 0);
    // The system's own title: an empty one given would show as empty on Wine.
    EXPECT_NE(first.title, "");
    // The rest of the program is locked while the dialog is up, and usable again after.
    EXPECT_FALSE(first.taskWindowEnabled);
    EXPECT_TRUE(IsWindowEnabled(task.get()));
    // Placed by the whole rectangle of the monitor of the window that was active when it
    // opened. (Under Wine without a task bar the work area is the same rectangle.)
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(task.get(), MONITOR_DEFAULTTONEAREST), &monitor);
    const POINT expected =
        gui::SaveDialogPosition(monitor.rcMonitor, SIZE{first.bounds.right - first.bounds.left,
                                                        first.bounds.bottom - first.bounds.top});
    EXPECT_EQ(first.bounds.left, expected.x);
    EXPECT_EQ(first.bounds.top, expected.y);

    // The next use opens with that filter and file; cancelling it changes nothing.
    const std::string confirmed = dialog.FileName;
    const TSaveDialogView second = UseSaveDialog(dialog, task.get(), 0, "pick-two", IDCANCEL);
    EXPECT_TRUE(EndsWithNoCase(second.fileName, "pick-one.vkpak")) << second.fileName;
    EXPECT_EQ(second.fileType, 1);
    EXPECT_EQ(dialog.FileName, confirmed);
    EXPECT_EQ(dialog.FilterIndex, 2);
    EXPECT_TRUE(IsWindowEnabled(task.get()));
}

TEST(PickerSaveDialog, CutsAnOverlongStartingNameToTheBuffer) {
    TKeepCurrentDirectory keepCwd;
    TWindow task = MakeActiveWindow();
    gui::TSaveDialog dialog = VeskSaveDialog();
    dialog.FileName = std::string(300, 'n');
    dialog.FilterIndex = 2;

    std::string shown;
    {
        TDialogAnswerer user([&](HWND dlg) {
            shown = GetText(FileNameField(dlg));
            Press(dlg, IDCANCEL);
        });
        EXPECT_FALSE(dialog.Execute());
        ASSERT_TRUE(user.Wait());
    }
    // The system reads the handed-over name up to nMaxFile including its terminator.
    EXPECT_EQ(shown, std::string(MAX_PATH - 1, 'n'));
    EXPECT_EQ(dialog.FileName, std::string(300, 'n'));
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST(PickerFolderBrowser, ConfirmReturnsThePreselectedFolder) {
    TempDir temp;
    const std::string folder = temp.MakeFolder("Source Folder");
    SettleAccessTimes(folder);
    TWindow owner = MakeActiveWindow();

    TDialogAnswerer user(PressOk, owner.get());
    const std::string result = gui::BrowseForFolder(owner.get(), folder);
    ASSERT_TRUE(user.Wait());
    EXPECT_TRUE(SamePath(result, folder)) << result;
    EXPECT_FALSE(user.Seen().watchedEnabledWhileUp);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

TEST(PickerFolderBrowser, CancelReturnsEmptyWhateverTheStart) {
    TempDir temp;
    TWindow owner = MakeActiveWindow();
    // No start, an existing folder, a text that names nothing, a file.
    const std::vector<std::string> starts = {"", temp.Path(), temp.Path() + "\\no such folder",
                                             temp.MakeFile("plain.txt")};
    for (const std::string& start : starts) {
        std::string result = "unset";
        {
            TDialogAnswerer user(PressCancel);
            result = gui::BrowseForFolder(owner.get(), start);
            ASSERT_TRUE(user.Wait()) << start;
        }
        EXPECT_EQ(result, "") << start;
    }
}

// A drop as the shell hands it over: a DROPFILES header and a double-zero list of paths,
// given as ANSI texts, or as UTF-16 ones where `widePaths` holds any.
HDROP MakeDrop(const std::vector<std::string>& paths, bool wide,
               const std::vector<std::wstring>& widePaths = {}) {
    std::vector<char> list;
    std::vector<std::wstring> asWide = widePaths;
    for (const std::string& path : paths)
        asWide.push_back(winproc::Widen(path));
    for (std::size_t i = 0; i < asWide.size(); ++i) {
        if (wide) {
            const std::wstring w = asWide[i] + L'\0';
            const char* bytes = reinterpret_cast<const char*>(w.data());
            list.insert(list.end(), bytes, bytes + w.size() * sizeof(WCHAR));
        } else {
            const std::string& path = paths[i];
            list.insert(list.end(), path.c_str(), path.c_str() + path.size() + 1);
        }
    }
    // An empty list is two zeros, as the shell writes it: Wine's reader steps over one name
    // before it looks for the end, and would read on past a single zero.
    const std::size_t zeros = asWide.empty() ? 2 : 1;
    list.insert(list.end(), zeros * (wide ? sizeof(WCHAR) : 1), '\0');

    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide ? TRUE : FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(PickerDrop, FirstExistingFolderAndFirstExistingFileWin) {
    TempDir temp;
    const std::string gone = temp.Path() + "\\vanished.vkpak";
    const std::string goneFolder = temp.Path() + "\\vanished";
    const std::string fileA = temp.MakeFile("a.vkpak");
    const std::string folderA = temp.MakeFolder("one");
    const std::string fileB = temp.MakeFile("b.vkpak");
    const std::string folderB = temp.MakeFolder("two");
    const std::vector<std::string> items = {gone, goneFolder, fileA, folderA, fileB, folderB};

    for (bool wide : {false, true}) {
        const gui::TDroppedTargets targets = gui::ReadDrop(MakeDrop(items, wide));
        EXPECT_EQ(targets.folder, folderA) << "wide " << wide;
        EXPECT_EQ(targets.file, fileA) << "wide " << wide;
    }

    // Only folders, only files, nothing that exists, nothing at all: the other field, or both,
    // are left alone.
    gui::TDroppedTargets targets = gui::ReadDrop(MakeDrop({folderB, folderA}, false));
    EXPECT_EQ(targets.folder, folderB);
    EXPECT_EQ(targets.file, "");
    targets = gui::ReadDrop(MakeDrop({fileB}, true));
    EXPECT_EQ(targets.folder, "");
    EXPECT_EQ(targets.file, fileB);
    for (HDROP nothing : {MakeDrop({gone, goneFolder}, false), MakeDrop({}, true), HDROP{}}) {
        targets = gui::ReadDrop(nothing);
        EXPECT_EQ(targets.folder, "");
        EXPECT_EQ(targets.file, "");
    }
}

// Every drop is answered: a folder deeper than MAX_PATH fills the field, and one whose name the
// code page cannot hold says so, as the same text typed would be told.
TEST(PickerDrop, DeepFoldersFillAndNamesBeyondTheCodePageSayWhy) {
    TempDir temp;
    const std::string deep = temp.MakeLongFolder(300);
    for (bool wide : {false, true}) {
        const gui::TDroppedTargets targets = gui::ReadDrop(MakeDrop({deep}, wide));
        EXPECT_EQ(targets.folder, deep) << "wide " << wide;
        EXPECT_EQ(targets.refusal, "") << "wide " << wide;
    }
    std::array<char, 8> bytes{};
    BOOL defaulted = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u65E5", 1, bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, &defaulted);
    if (!defaulted)
        GTEST_SKIP() << "code page " << GetACP() << " holds the name";
    const std::wstring beyond = winproc::Widen(temp.Path()) + L"\\\u65E5\u672C\u8A9E";
    ASSERT_TRUE(CreateDirectoryW(beyond.c_str(), nullptr));
    const gui::TDroppedTargets targets = gui::ReadDrop(MakeDrop({}, true, {beyond}));
    EXPECT_EQ(targets.folder, "");
    EXPECT_EQ(targets.refusal, "The Source field contains characters that the system's code "
                               "page cannot represent, so the builder would receive other ones");
}

} // namespace
