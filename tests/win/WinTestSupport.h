// Helpers for the in-process Win32 tests: pumping our own event loop with a deadline, the
// answerer of the message boxes the code under test shows, and files written byte for byte.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "app/Application.h"
#include "helpers/DialogAnswerer.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"

using windrive::PressOk;
using windrive::TDialogAnswerer;

// Writes the bytes as the whole file; a file that cannot be written fails the test.
inline void WriteRaw(const std::string& path, const std::string& bytes) {
    const winfiles::UniqueHandle file = winfiles::CreateToWrite(path);
    ASSERT_NE(file.Get(), INVALID_HANDLE_VALUE) << path;
    ASSERT_TRUE(winfiles::WriteAll(file.Get(), bytes)) << path;
}

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
