// The floor for start-up and memory: the least a Win32 program needs to show a window and
// wait for input. Built with the same toolchain, flags and static runtime as Veskmaker.exe.
// BARE_PROBE builds the same program with start-up marks (see ProbeMarks.h).
#include <windows.h>
#ifdef BARE_COMMON_CONTROLS
#include <commctrl.h>
#endif
#ifdef BARE_IMPORTS_COMDLG32
#include <commdlg.h>
#endif
#ifdef BARE_IMPORTS_OLE32
#include <objbase.h>
#endif
#ifdef BARE_IMPORTS_SHELL32
#include <shellapi.h>
#endif
#include "BareProgram.h"

#ifdef BARE_PROBE
#include "ProbeMarks.h"
#define BARE_MARK(phase) probe::Mark(phase)
#else
#define BARE_MARK(phase)
#endif

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
#ifdef BARE_PROBE
    LRESULT result = 0;
    if (probe::OnWindowMessage(hwnd, msg, wParam, lParam, result))
        return result;
#endif
    return bare::DefaultProc(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    BARE_MARK("winmain");
#ifdef BARE_COMMON_CONTROLS
    bare::InitCommonControls();
#endif
#ifdef BARE_SAME_IMPORTS
    // Referenced, never called: the loader maps every DLL that Veskmaker.exe imports.
    static void* volatile imports[] = {
#ifdef BARE_IMPORTS_GDI32
        reinterpret_cast<void*>(&GetStockObject),
#endif
#ifdef BARE_IMPORTS_SHELL32
        reinterpret_cast<void*>(&ShellExecuteA),
#endif
#ifdef BARE_IMPORTS_COMDLG32
        reinterpret_cast<void*>(&GetSaveFileNameA),
#endif
#ifdef BARE_IMPORTS_OLE32
        reinterpret_cast<void*>(&CoTaskMemFree),
#endif
        nullptr};
    (void)imports;
#endif
    HWND hwnd = bare::MakeTopWindow(instance, "BareWindow", "Bare", WndProc);
    if (!hwnd)
        return 1;
    BARE_MARK("window");
#ifdef BARE_PROBE
    PostMessageA(hwnd, probe::kLoopRunning, 0, 0);
#endif
    ShowWindow(hwnd, showCommand);
    bare::RunMessageLoop();
#ifdef BARE_PROBE
    probe::Write(commandLine);
#else
    (void)commandLine;
#endif
    return 0;
}
