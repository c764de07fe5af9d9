// The "..." buttons and dropped files through the real window: the system's folder browser
// and save dialog, played from outside as a user would, and what lands in the two fields.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <dlgs.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace e2e;
using windrive::ChooseFileType;
using windrive::FileNameField;
using winfiles::SettleAccessTimes;

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           lstrcmpiA(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class PickersE2e : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string exe = PrepareAppDir(app_.Path(), "Veskmaker.exe");
        process_ = std::make_unique<AppProcess>(exe, app_.Path());
        ASSERT_NE(process_->WaitForMainWindow(), nullptr) << "no main window";
    }

    HWND Main() const { return process_->MainWindow(); }
    HWND Control(int id) const { return process_->Control(id); }

    // Presses a "..." button and waits for the system dialog it opens.
    HWND OpenDialog(int buttonId) {
        Click(Control(buttonId));
        HWND dialog = nullptr;
        WaitUntil([&] { return (dialog = FindMessageBox(process_->Pid())) != nullptr; });
        return dialog;
    }

    // Presses a dialog button and waits until the dialog is gone and the window usable again.
    bool Close(HWND dialog, int buttonId) {
        windrive::Press(dialog, buttonId);
        return WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(Main()); });
    }

    std::string Folder(const std::string& name) const { return data_.MakeFolder(name); }
    std::string File(const std::string& name) const { return data_.MakeFile(name); }

    TempDir app_;
    TempDir data_;
    std::unique_ptr<AppProcess> process_;
};

LRESULT FileTypeIndex(HWND dialog) {
    return windrive::TrySend(GetDlgItem(dialog, cmb1), CB_GETCURSEL, 0, 0).value_or(CB_ERR);
}

TEST_F(PickersE2e, FolderBrowserFillsTheSourceOnlyWhenConfirmed) {
    const std::string folder = Folder("content");
    SettleAccessTimes(folder);

    // Starts at the folder already in the field; confirming hands it back.
    SetText(Control(idCmbSource), folder);
    HWND dialog = OpenDialog(idBtnBrowseSrc);
    ASSERT_NE(dialog, nullptr) << "no folder browser";
    EXPECT_FALSE(IsWindowEnabled(Main())) << "the window must wait for the browser";
    ASSERT_TRUE(Close(dialog, IDOK));
    EXPECT_TRUE(SamePath(GetText(Control(idCmbSource)), folder)) << GetText(Control(idCmbSource));

    // A text that names no folder opens the browser all the same; cancel keeps it as typed.
    SetText(Control(idCmbSource), "no such folder");
    dialog = OpenDialog(idBtnBrowseSrc);
    ASSERT_NE(dialog, nullptr) << "no folder browser";
    ASSERT_TRUE(Close(dialog, IDCANCEL));
    EXPECT_EQ(GetText(Control(idCmbSource)), "no such folder");
    EXPECT_TRUE(ComboItems(Control(idCmbSource)).empty()) << "a picker records nothing";
}

TEST_F(PickersE2e, SaveDialogRemembersItsOwnFileAndFilterNotTheField) {
    // A path typed by hand is not where the dialog starts.
    SetText(Control(idCmbOutput), "C:\\typed\\by hand.vkpak");
    HWND dialog = OpenDialog(idBtnBrowseOut);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_EQ(GetText(FileNameField(dialog)), "");
    EXPECT_EQ(FileTypeIndex(dialog), 0);
    SetText(FileNameField(dialog), "e2e-out");
    ASSERT_TRUE(Close(dialog, IDOK));
    const std::string confirmed = GetText(Control(idCmbOutput));
    EXPECT_TRUE(confirmed.size() > 3 && confirmed[1] == ':' && confirmed[2] == '\\') << confirmed;
    EXPECT_TRUE(EndsWithNoCase(confirmed, "\\e2e-out.vkpak")) << confirmed;

    // Typing into the field changes nothing the dialog remembers. Switch to "All Files" and
    // confirm the offered name.
    SetText(Control(idCmbOutput), "typed again");
    dialog = OpenDialog(idBtnBrowseOut);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_TRUE(EndsWithNoCase(GetText(FileNameField(dialog)), "e2e-out.vkpak"))
        << GetText(FileNameField(dialog));
    ChooseFileType(dialog, 1);
    ASSERT_TRUE(Close(dialog, IDOK));
    EXPECT_TRUE(SamePath(GetText(Control(idCmbOutput)), confirmed))
        << GetText(Control(idCmbOutput));

    // Reopened with that filter and file; a cancel changes nothing.
    SetText(Control(idCmbOutput), "kept");
    dialog = OpenDialog(idBtnBrowseOut);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    EXPECT_EQ(FileTypeIndex(dialog), 1);
    EXPECT_TRUE(EndsWithNoCase(GetText(FileNameField(dialog)), "e2e-out.vkpak"))
        << GetText(FileNameField(dialog));
    SetText(FileNameField(dialog), "never");
    ASSERT_TRUE(Close(dialog, IDCANCEL));
    EXPECT_EQ(GetText(Control(idCmbOutput)), "kept");
    EXPECT_TRUE(ComboItems(Control(idCmbOutput)).empty()) << "a picker records nothing";
}

// A drop as the shell hands it over, a DROPFILES header and a double-zero list of paths,
// written into the program's own memory: a handle made here means nothing over there.
// Fixed memory is its own handle, so the program reads and releases it like any drop.
bool PostDrop(const AppProcess& process, HWND window, const std::vector<std::string>& paths) {
    std::string block(sizeof(DROPFILES), '\0');
    for (const std::string& path : paths)
        block += path + '\0';
    block += '\0';
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = FALSE;
    std::memcpy(&block[0], &header, sizeof(header));

    void* remote = VirtualAllocEx(process.Handle(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (!remote ||
        !WriteProcessMemory(process.Handle(), remote, block.data(), block.size(), nullptr))
        return false;
    return PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

TEST_F(PickersE2e, DroppedFolderAndFileFillTheFields) {
    const std::string file = File("dropped.vkpak");
    const std::string folder = Folder("dropped");
    const std::string other = Folder("other");
    SetText(Control(idCmbSource), "before");
    SetText(Control(idCmbOutput), "before");

    // The first folder and the first file win; a path that is gone counts as neither.
    ASSERT_TRUE(PostDrop(*process_, Main(), {data_ / "gone.vkpak", file, folder, other}));
    EXPECT_TRUE(WaitUntil([&] { return GetText(Control(idCmbSource)) == folder; }, 5000))
        << GetText(Control(idCmbSource));
    EXPECT_EQ(GetText(Control(idCmbOutput)), file);

    // Only a folder: the output is left alone. Nothing is recorded either way.
    ASSERT_TRUE(PostDrop(*process_, Main(), {other}));
    EXPECT_TRUE(WaitUntil([&] { return GetText(Control(idCmbSource)) == other; }, 5000))
        << GetText(Control(idCmbSource));
    EXPECT_EQ(GetText(Control(idCmbOutput)), file);
    EXPECT_TRUE(ComboItems(Control(idCmbSource)).empty());
    EXPECT_TRUE(ComboItems(Control(idCmbOutput)).empty());
    EXPECT_TRUE(process_->Running());
}

} // namespace
