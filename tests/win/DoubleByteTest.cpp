// Typing into the source field on a double-byte code page (932, Japanese), through its real
// Unicode edit: the edit counts positions in UTF-16 units, the completion in ANSI bytes.
// ctest runs these in a Wine process whose locale gives that code page.
#include <gtest/gtest.h>

#include <string>

#include "controls/AnsiText.h"
#include "gui/Form1.h"
#include "win/WinTestSupport.h"

namespace {

// "C:\デ" then "ータ\素材" in code page 932.
const std::string kHead = "C:\\\x83\x66";
const std::string kItem = kHead + "\x81\x5B\x83\x5E\\\x91\x66\x8D\xDE";

DWORD SelectionStart(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
}

DWORD SelectionEnd(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end;
}

} // namespace

TEST(DoubleByteCodePage, TypedCharactersCompleteAndSelectWholeCharacters) {
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    TForm1 form;
    form.Build(*Application);
    ShowWindow(form, SW_SHOW);
    SetActiveWindow(form);
    form.hstSource.Add(kItem);
    HWND edit = form.cmbSource.EditHandle();
    ASSERT_TRUE(IsWindowUnicode(edit));
    SetFocus(edit);
    SetWindowTextA(edit, "C:\\");
    SendMessageW(edit, EM_SETSEL, 3, 3);

    // A typed double-byte character completes like any other...
    PostMessageW(edit, WM_CHAR, 0x30C7, 1); // デ
    PumpPending();
    EXPECT_EQ(gui::ExactText(edit), kItem);
    EXPECT_EQ(SelectionStart(edit), 4u); // C : \ デ
    EXPECT_EQ(SelectionEnd(edit), 9u);

    // ... and the next one is looked up after the characters before the selection.
    PostMessageW(edit, WM_CHAR, 0x30FC, 1); // ー
    PumpPending();
    EXPECT_EQ(gui::ExactText(edit), kItem);
    EXPECT_EQ(SelectionStart(edit), 5u);
    EXPECT_EQ(SelectionEnd(edit), 9u);
}
