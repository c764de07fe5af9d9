// Typing into the source field on a double-byte code page (932, Japanese), through its real
// Unicode edit: the edit counts positions in UTF-16 units, the completion in ANSI bytes.
// ctest runs these in a Wine process whose locale gives that code page.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "controls/AnsiText.h"
#include "gui/Form1.h"
#include "win/WinTestSupport.h"

namespace {

// "C:\デ" then "ータ\素材" in code page 932.
const std::string kHead = "C:\\\x83\x66";
const std::string kItem = kHead + "\x81\x5B\x83\x5E\\\x91\x66\x8D\xDE";

// The edit's selection, start and end, in UTF-16 units.
std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

} // namespace

TEST(DoubleByteCodePage, TypedCharactersCompleteAndSelectWholeCharacters) {
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    gui::TForm1 form;
    form.Build(*app::Application);
    ShowWindow(form, SW_SHOW);
    SetActiveWindow(form);
    form.hstSource.Add(kItem);
    HWND edit = form.cmbSource.EditHandle();
    ASSERT_TRUE(IsWindowUnicode(edit));
    SetFocus(edit);
    SetWindowTextA(edit, "C:\\");
    SendMessageW(edit, EM_SETSEL, 3, 3);

    // A typed double-byte character completes like any other, and the next one is looked up
    // after the characters before the selection; the rest of the entry stays selected.
    const struct {
        wchar_t typed;
        std::pair<DWORD, DWORD> selection;
    } steps[] = {
        {0x30C7, {4, 9}}, // デ: C : \ デ before the selection
        {0x30FC, {5, 9}}, // ー
    };
    for (const auto& step : steps) {
        PostMessageW(edit, WM_CHAR, step.typed, 1);
        PumpPending();
        EXPECT_EQ(controls::ExactText(edit), kItem);
        EXPECT_EQ(Selection(edit), step.selection);
    }
}
