// The floor for "Create!" to builder running: a window whose one button hands VKB.exe,
// beside this exe, to the shell with the parameters this program was given. It does what
// Veskmaker's Create button must do at the least, and nothing else.
#include <windows.h>
#include <shellapi.h>
#ifdef BARE_COMMON_CONTROLS
#include <commctrl.h>
#endif

#include <array>
#include <string>

#include "BareProgram.h"
#include "gui/ControlIds.h"

namespace {

std::string g_builder;
std::string g_parameters;

// What follows the program name (quoted or not) and the blanks after it.
std::string ArgumentsOf(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

std::string BuilderBesideUs() {
    std::array<char, MAX_PATH + 1> path{};
    DWORD n = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    std::string own(path.data(), n);
    return own.substr(0, own.find_last_of('\\') + 1) + "VKB.exe";
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == gui::idBtnCreate && HIWORD(wParam) == BN_CLICKED) {
            ShellExecuteA(hwnd, "OPEN", g_builder.c_str(), g_parameters.c_str(), nullptr,
                          SW_SHOWNORMAL);
            return 0;
        }
        break;
    default:
        break;
    }
    return bare::DefaultProc(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifdef BARE_COMMON_CONTROLS
    bare::InitCommonControls();
#endif
    g_builder = BuilderBesideUs();
    g_parameters = ArgumentsOf(GetCommandLineA());

    HWND hwnd = bare::MakeTopWindow(instance, "BareLaunch", "Bare launch", WndProc);
    if (!hwnd)
        return 1;
    if (!CreateWindowA("BUTTON", "Create!", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 75, 25,
                       hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(gui::idBtnCreate)),
                       instance, nullptr))
        return 1;
    ShowWindow(hwnd, showCommand);
    bare::RunMessageLoop();
    return 0;
}
