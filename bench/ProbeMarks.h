// Start-up marks for the probe builds: milliseconds since the process was created at which
// each phase of the start had finished, written to the file named on the command line.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace probe {

// A FILETIME as the one number it holds: 100 ns units of the system's clock.
inline ULONGLONG Value100ns(const FILETIME& ft) {
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The system's clock, the one a process's creation time is given in.
inline ULONGLONG Now100ns() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return Value100ns(ft);
}

inline ULONGLONG ProcessCreated100ns() {
    static const ULONGLONG created = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        return Value100ns(created);
    }();
    return created;
}

inline std::vector<std::pair<const char*, double>>& Marks() {
    static std::vector<std::pair<const char*, double>> marks;
    return marks;
}

inline void Mark(const char* phase) {
    const ULONGLONG now = Now100ns();
    Marks().emplace_back(phase, static_cast<double>(now - ProcessCreated100ns()) / 10000.0);
}

// Posted at the end of the set-up: its arrival means the window is shown and the message
// loop runs.
constexpr UINT kLoopRunning = WM_APP + 0x51;

// The marks a probe's main window makes: "shown_loop" when the message posted at the end of the
// set-up arrives, "first_paint" after its first paint. True when the message was one of them.
inline bool OnWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static bool painted = false;
    if (msg == kLoopRunning) {
        Mark("shown_loop");
        result = 0;
        return true;
    }
    if (msg != WM_PAINT || painted)
        return false;
    result = DefWindowProcA(hwnd, msg, wParam, lParam);
    painted = true;
    Mark("first_paint");
    return true;
}

// Notes "idle" the first time the message loop finds no message waiting.
inline void MarkIdleOnce() {
    static bool idle = false;
    if (!idle) {
        idle = true;
        Mark("idle");
    }
}

inline void Write(const char* path) {
    if (!path || !*path)
        return;
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path, "w"), std::fclose);
    if (out)
        for (const auto& [phase, ms] : Marks())
            std::fprintf(out.get(), "%s %.3f\n", phase, ms);
}

} // namespace probe
