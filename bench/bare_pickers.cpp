// The floor for the first opening of each picker: a window with two buttons, one opening the
// shell's folder browser and one the common save dialog, called as Veskmaker calls them, with
// their DLLs imported as usual and Veskmaker's manifest. The buttons carry the ids of
// Veskmaker's, so the bench driver presses both programs alike.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <array>

#include "BareProgram.h"
#include "gui/ControlIds.h"

namespace {

constexpr const char* kClass = "BarePickers";

void BrowseForFolder(HWND owner) {
    // The browser talks to the shell namespace through COM, as in the program.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::array<char, MAX_PATH + 1> displayName{};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName.data();
    info.lpszTitle = "Please specify a directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (ITEMIDLIST* chosen = SHBrowseForFolderA(&info))
        CoTaskMemFree(chosen);
    if (SUCCEEDED(com))
        CoUninitialize();
}

UINT_PTR CALLBACK SaveHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void SaveFile(HWND owner) {
    std::array<char, MAX_PATH + 2> file{};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Vesk (*.vkpak)\0*.vkpak\0All Files (*.*)\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = ""; // as the program passes it
    ofn.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    ofn.lpstrDefExt = "vkpak";
    ofn.lpfnHook = SaveHook;
    GetSaveFileNameA(&ofn);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            break;
        if (LOWORD(wParam) == gui::idBtnBrowseSrc)
            BrowseForFolder(hwnd);
        else if (LOWORD(wParam) == gui::idBtnBrowseOut)
            SaveFile(hwnd);
        return 0;
    default:
        break;
    }
    return bare::DefaultProc(hwnd, msg, wParam, lParam);
}

bool MakeButton(HWND parent, int id, int left) {
    return CreateWindowA("BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, left, 10, 26, 21,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr) != nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    bare::InitCommonControls();
    HWND hwnd = bare::MakeTopWindow(instance, kClass, "Bare pickers", WndProc);
    if (!hwnd || !MakeButton(hwnd, gui::idBtnBrowseSrc, 10) ||
        !MakeButton(hwnd, gui::idBtnBrowseOut, 46))
        return 1;
    ShowWindow(hwnd, showCommand);
    bare::RunMessageLoop();
    return 0;
}
