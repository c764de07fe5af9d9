// What the bare programs of bench/ all do, and do as Veskmaker does: the common-controls
// set-up, a window class with the button face and the arrow cursor, and the plainest
// message loop. Inline, so each floor stays one program with nothing else in it; what a floor
// does not call costs it nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

// BARE_PROBE builds a floor with start-up marks (see ProbeMarks.h): BARE_MARK notes where a
// phase of the start ends; the main window's procedure and the two calls below make the rest.
#ifdef BARE_PROBE
#include "ProbeMarks.h"
#define BARE_MARK(phase) probe::Mark(phase)
#else
#define BARE_MARK(phase)
#endif

namespace bare {

inline void InitCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc,
                             ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

inline bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

// The end of every bare window procedure: closing the window ends the program.
inline LRESULT CALLBACK DefaultProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A plain top-level window of 400 x 120 of a class registered for the procedure; null when it
// cannot be made.
inline HWND MakeTopWindow(HINSTANCE instance, const char* className, const char* title,
                          WNDPROC proc) {
    if (!RegisterWindowClass(instance, className, proc))
        return nullptr;
    return CreateWindowA(className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                         120, nullptr, nullptr, instance, nullptr);
}

// The main window's procedure: the probe's marks, then DefaultProc.
inline LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
#ifdef BARE_PROBE
    LRESULT result = 0;
    if (probe::OnWindowMessage(hwnd, msg, wParam, lParam, result))
        return result;
#endif
    return DefaultProc(hwnd, msg, wParam, lParam);
}

// At the end of the set-up: a probe notes when the message loop takes this up.
inline void MarkLoopStart(HWND mainWindow) {
#ifdef BARE_PROBE
    PostMessageA(mainWindow, probe::kLoopRunning, 0, 0);
#else
    (void)mainWindow;
#endif
}

// At the end of the program: a probe writes its marks to the file named on its command line.
inline void WriteMarks(const char* commandLine) {
#ifdef BARE_PROBE
    probe::Write(commandLine);
#else
    (void)commandLine;
#endif
}

inline void RunMessageLoop() {
    MSG msg;
#ifdef BARE_PROBE
    // The same loop, with the moment it first runs dry noted.
    for (;;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            probe::MarkIdleOnce();
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
            return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
#else
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
#endif
}

} // namespace bare
