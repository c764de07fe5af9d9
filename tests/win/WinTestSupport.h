// Helpers for the in-process Win32 tests: pumping our own event loop with a deadline, keys
// through it, window rectangles, the answerer of the message boxes the code under test shows,
// files written byte for byte and histories as the program keeps them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

#include "History/History.h"
#include "app/Application.h"
#include "helpers/DialogAnswerer.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"

using windrive::ClientRectOf;
using windrive::PressOk;
using windrive::TDialogAnswerer;
using windrive::WindowRectOf;

// Writes the bytes as the whole file; a file that cannot be written fails the test.
inline void WriteRaw(const std::string& path, const std::string& bytes) {
    const winfiles::UniqueHandle file = winfiles::CreateToWrite(path);
    ASSERT_NE(file.Get(), INVALID_HANDLE_VALUE) << path;
    ASSERT_TRUE(winfiles::WriteAll(file.Get(), bytes)) << path;
}

// A history of at most ten entries, as the program keeps; filled oldest first.
struct TTenEntryHistory : History::THistory {
    explicit TTenEntryHistory(std::initializer_list<const char*> newestLast = {}) {
        SetMaxItems(10);
        for (const char* entry : newestLast)
            Add(entry);
    }
};

// Runs the application's event loop until `done` holds or the deadline passes.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!app::Application->ProcessMessage())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpPending() {
    while (app::Application->ProcessMessage()) {
    }
}

// A key as the keyboard sends it, with the modifiers held: key-down, the characters the event
// loop and its dialog manager translate from it, then key-up. Sent to the control with the
// focus unless another one is named: named, a focus stolen by another program on the display
// cannot reroute it.
inline void PressKey(UINT vk, std::initializer_list<UINT> held = {}, HWND to = nullptr,
                     bool autoRepeat = false) {
    BYTE keys[256] = {};
    for (UINT modifier : held)
        keys[modifier] = 0x80;
    SetKeyboardState(keys);
    const HWND target = to ? to : GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1 | (autoRepeat ? 1 << 30 : 0));
    PumpPending();
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | 3u << 30);
    PumpPending();
    BYTE none[256] = {};
    SetKeyboardState(none);
}
