// Helpers for the in-process Win32 tests: pumping our own event loop with a deadline, a
// watcher thread that answers the message boxes the code under test shows, and files written
// byte for byte.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

#include "app/Application.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"
#include "helpers/WinThread.h"

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
        if (!Application->ProcessMessage())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpPending() {
    while (Application->ProcessMessage()) {
    }
}

// Waits on another thread for a message box of `uiThread`, records what it shows and
// what the UI thread's state was while it was up, then presses its OK button.
class TBoxAnswerer {
public:
    // `watched`: a window whose enabled state while the box is up is recorded.
    explicit TBoxAnswerer(HWND watched = nullptr)
        : watched_(watched), uiThread_(GetCurrentThreadId()), worker_([this] { Run(); }) {}
    TBoxAnswerer(const TBoxAnswerer&) = delete;
    TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;
    ~TBoxAnswerer() {
        stop_ = true;
        worker_.Join();
    }
    // Blocks until a box has been answered or the deadline passed.
    bool Wait(int timeoutMs = 5000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!answered_ && std::chrono::steady_clock::now() < deadline)
            Sleep(5);
        return answered_;
    }
    int Count() const { return count_; }

    std::string caption, text;
    bool watchedEnabledWhileUp = true;
    HWND captureWhileUp = nullptr;
    HWND owner = nullptr;

private:
    void Run() {
        while (!stop_) {
            const HWND box = windrive::FindThreadDialog(uiThread_);
            if (box) {
                char buffer[1024] = {};
                GetWindowTextA(box, buffer, sizeof buffer);
                caption = buffer;
                GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
                text = buffer;
                owner = GetWindow(box, GW_OWNER);
                GUITHREADINFO info{};
                info.cbSize = sizeof info;
                GetGUIThreadInfo(uiThread_, &info);
                captureWhileUp = info.hwndCapture;
                if (watched_)
                    watchedEnabledWhileUp = IsWindowEnabled(watched_) != FALSE;
                // Counted before it is pressed: the code under test returns as soon as the
                // box goes, and may look at the count then.
                ++count_;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                while (IsWindow(box) && IsWindowVisible(box) && !stop_)
                    Sleep(5);
                answered_ = true;
            }
            Sleep(5);
        }
    }

    HWND watched_;
    DWORD uiThread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::atomic<int> count_{0};
    winproc::TThread worker_;
};
