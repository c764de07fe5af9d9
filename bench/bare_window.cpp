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
    HWND hwnd = bare::MakeTopWindow(instance, "BareWindow", "Bare", bare::MainProc);
    if (!hwnd)
        return 1;
    BARE_MARK("window");
    bare::MarkLoopStart(hwnd);
    ShowWindow(hwnd, showCommand);
    bare::RunMessageLoop();
    bare::WriteMarks(commandLine);
    return 0;
}
