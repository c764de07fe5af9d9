// The "..." buttons and dropped files through the real window: the system's folder browser
// and save dialog, played from outside as a user would, and what lands in the two fields.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <dlgs.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

class PickersE2e : public ::testing::Test {
protected:
    void SetUp() override {
        process_ =
            std::make_unique<AppProcess>(PrepareAppDir(app_.Path(), "Veskmaker.exe"), app_.Path());
        ASSERT_NE(process_->WaitForMainWindow(), nullptr) << "no main window";
    }

    HWND Main() const { return process_->MainWindow(); }
    HWND Control(int id) const { return process_->Control(id); }

    // Presses a "..." button and answers the system dialog it opens with `act`, which ends with
    // a press of one of its buttons; what it showed, or nothing when none came up.
    std::optional<TDialogSeen> UseDialog(int buttonId, const TDialogAction& act) {
        Click(Control(buttonId));
        return AnswerDialog(OfProcess(process_->Pid()), act, kTimeoutMs, Main());
    }

    // The dialog went as its button asked, and the window is usable again.
    bool ClosedAsAsked(const TDialogSeen& seen) const {
        return !seen.forced && WaitUntil([&] { return IsWindowEnabled(Main()) != FALSE; });
    }

    TempDir app_;
    TempDir data_;
    std::unique_ptr<AppProcess> process_;
};

TEST_F(PickersE2e, FolderBrowserFillsTheSourceOnlyWhenConfirmed) {
    const std::string folder = data_.MakeFolder("content");
    SettleAccessTimes(folder);

    // Starts at the folder already in the field; confirming hands it back.
    SetText(Control(gui::idCmbSource), folder);
    const auto confirmed = UseDialog(gui::idBtnBrowseSrc, PressOk);
    ASSERT_TRUE(confirmed.has_value()) << "no folder browser";
    EXPECT_FALSE(confirmed->watchedEnabledWhileUp) << "the window must wait for the browser";
    ASSERT_TRUE(ClosedAsAsked(*confirmed));
    EXPECT_TRUE(SamePath(GetText(Control(gui::idCmbSource)), folder))
        << GetText(Control(gui::idCmbSource));

    // A text that names no folder opens the browser all the same; cancel keeps it as typed.
    SetText(Control(gui::idCmbSource), "no such folder");
    const auto cancelled = UseDialog(gui::idBtnBrowseSrc, PressCancel);
    ASSERT_TRUE(cancelled.has_value()) << "no folder browser";
    ASSERT_TRUE(ClosedAsAsked(*cancelled));
    EXPECT_EQ(GetText(Control(gui::idCmbSource)), "no such folder");
    EXPECT_TRUE(ComboItems(Control(gui::idCmbSource)).empty()) << "a picker records nothing";
}

TEST_F(PickersE2e, SaveDialogRemembersItsOwnFileAndFilterNotTheField) {
    // A path typed by hand is not where the dialog starts.
    SetText(Control(gui::idCmbOutput), "C:\\typed\\by hand.vkpak");
    std::string shownName;
    LRESULT shownType = CB_ERR;
    auto look = [&](HWND dialog) {
        shownName = GetText(FileNameField(dialog));
        shownType = TrySend(GetDlgItem(dialog, cmb1), CB_GETCURSEL, 0, 0).value_or(CB_ERR);
    };
    auto save = UseDialog(gui::idBtnBrowseOut, [&](HWND dialog) {
        look(dialog);
        SetText(FileNameField(dialog), "e2e-out");
        PressOk(dialog);
    });
    ASSERT_TRUE(save.has_value()) << "no save dialog";
    EXPECT_EQ(shownName, "");
    EXPECT_EQ(shownType, 0);
    ASSERT_TRUE(ClosedAsAsked(*save));
    const std::string confirmed = GetText(Control(gui::idCmbOutput));
    EXPECT_TRUE(IsFullPath(confirmed)) << confirmed;
    EXPECT_TRUE(EndsWithNoCase(confirmed, "\\e2e-out.vkpak")) << confirmed;

    // Typing into the field changes nothing the dialog remembers. Switch to "All Files" and
    // confirm the offered name.
    SetText(Control(gui::idCmbOutput), "typed again");
    save = UseDialog(gui::idBtnBrowseOut, [&](HWND dialog) {
        look(dialog);
        ChooseFileType(dialog, 1);
        PressOk(dialog);
    });
    ASSERT_TRUE(save.has_value()) << "no save dialog";
    EXPECT_TRUE(EndsWithNoCase(shownName, "e2e-out.vkpak")) << shownName;
    ASSERT_TRUE(ClosedAsAsked(*save));
    EXPECT_TRUE(SamePath(GetText(Control(gui::idCmbOutput)), confirmed))
        << GetText(Control(gui::idCmbOutput));

    // Reopened with that filter and file; a cancel changes nothing.
    SetText(Control(gui::idCmbOutput), "kept");
    save = UseDialog(gui::idBtnBrowseOut, [&](HWND dialog) {
        look(dialog);
        SetText(FileNameField(dialog), "never");
        PressCancel(dialog);
    });
    ASSERT_TRUE(save.has_value()) << "no save dialog";
    EXPECT_EQ(shownType, 1);
    EXPECT_TRUE(EndsWithNoCase(shownName, "e2e-out.vkpak")) << shownName;
    ASSERT_TRUE(ClosedAsAsked(*save));
    EXPECT_EQ(GetText(Control(gui::idCmbOutput)), "kept");
    EXPECT_TRUE(ComboItems(Control(gui::idCmbOutput)).empty()) << "a picker records nothing";
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
    const std::string file = data_.MakeFile("dropped.vkpak");
    const std::string folder = data_.MakeFolder("dropped");
    const std::string other = data_.MakeFolder("other");
    SetText(Control(gui::idCmbSource), "before");
    SetText(Control(gui::idCmbOutput), "before");

    // The first folder and the first file win; a path that is gone counts as neither.
    ASSERT_TRUE(PostDrop(*process_, Main(), {data_ / "gone.vkpak", file, folder, other}));
    EXPECT_TRUE(WaitUntil([&] { return GetText(Control(gui::idCmbSource)) == folder; }, 5000))
        << GetText(Control(gui::idCmbSource));
    EXPECT_EQ(GetText(Control(gui::idCmbOutput)), file);

    // Only a folder: the output is left alone. Nothing is recorded either way.
    ASSERT_TRUE(PostDrop(*process_, Main(), {other}));
    EXPECT_TRUE(WaitUntil([&] { return GetText(Control(gui::idCmbSource)) == other; }, 5000))
        << GetText(Control(gui::idCmbSource));
    EXPECT_EQ(GetText(Control(gui::idCmbOutput)), file);
    EXPECT_TRUE(ComboItems(Control(gui::idCmbSource)).empty());
    EXPECT_TRUE(ComboItems(Control(gui::idCmbOutput)).empty());
    EXPECT_TRUE(process_->Running());
}

} // namespace
