#include "gui/Pickers.h"

#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <memory>

#include "gui/FilterString.h"
#include "controls/Guarded.h"
#include "controls/TaskWindows.h"
#include "shared/LateLibrary.h"
#include "shared/System.h"

namespace gui {
namespace {

// Room for MAX_PATH characters and the terminator, plus one spare byte the system may use.
constexpr std::size_t kPathBufferSize = MAX_PATH + 1;
constexpr std::size_t kFileBufferSize = MAX_PATH + 2;
constexpr DWORD kSaveFlags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;

// The folder browser talks to the shell namespace through COM, which needs an apartment on
// this thread; an apartment that is already there is left as it was found.
class TComApartment {
public:
    TComApartment()
        : uninitialize_(
              shared::LateProc<decltype(&CoUninitialize)>(shared::Ole32, "CoUninitialize")),
          result_(shared::LateProc<decltype(&CoInitializeEx)>(shared::Ole32, "CoInitializeEx")(
              nullptr, COINIT_APARTMENTTHREADED)) {}
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment() {
        if (SUCCEEDED(result_))
            uninitialize_();
    }

private:
    decltype(&CoUninitialize) uninitialize_;
    HRESULT result_;
};

// Item lists from the folder browser belong to the shell's task allocator. Looked up before
// the list exists: a deleter must not fail.
struct TTaskMemFree {
    decltype(&CoTaskMemFree) free =
        shared::LateProc<decltype(&CoTaskMemFree)>(shared::Ole32, "CoTaskMemFree");
    void operator()(ITEMIDLIST* list) const { free(list); }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TTaskMemFree>;

std::string BufferText(const char* buffer, std::size_t size) {
    return {buffer, strnlen(buffer, size)};
}

// Reaches the hook through the record's lCustData.
struct TSaveHookData {
    HWND placeBy = nullptr;
};

// Taken before the dialog opens: once it is up, the dialog itself is the active window.
// cppcheck-suppress constParameter ; a window handle is the system's, not an object of ours
HWND PlacementWindow(HWND owner, HWND mainForm) {
    HWND active = GetActiveWindow();
    if (active && active != owner)
        return active;
    return mainForm;
}

void PlaceSaveDialog(HWND dialog, HWND placeBy) {
    HMONITOR monitor = placeBy ? MonitorFromWindow(placeBy, MONITOR_DEFAULTTONEAREST)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT bounds{};
    if (!GetMonitorInfoA(monitor, &info) || !GetWindowRect(dialog, &bounds))
        return;
    // By the monitor's whole rectangle, as designed, not by its work area.
    const POINT at = SaveDialogPosition(
        info.rcMonitor, SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top});
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
}

} // namespace

std::string BrowseForFolder(HWND owner, const std::string& initialFolder) {
    TComApartment com;
    std::array<char, kPathBufferSize> displayName{};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName.data();
    info.lpszTitle = "Please specify a directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!initialFolder.empty()) {
        info.lpfn = &BrowseForFolderCallback;
        info.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
    }
    const auto browse =
        shared::LateProc<decltype(&SHBrowseForFolderA)>(shared::Shell32, "SHBrowseForFolderA");
    const auto pathOf =
        shared::LateProc<decltype(&SHGetPathFromIDListA)>(shared::Shell32, "SHGetPathFromIDListA");
    TTaskMemFree release;
    const TItemList chosen(browse(&info), release);
    if (!chosen)
        return {};
    // Success is not consulted: an item without a file-system path leaves the buffer empty.
    std::array<char, kPathBufferSize> path{};
    pathOf(chosen.get(), path.data());
    return BufferText(path.data(), path.size());
}

int CALLBACK BrowseForFolderCallback(HWND wnd, UINT msg, LPARAM /*lParam*/, LPARAM data) {
    // A text that names no folder simply leaves the browser's own default selection.
    if (msg == BFFM_INITIALIZED)
        SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

POINT SaveDialogPosition(const RECT& monitor, SIZE dialog) {
    const LONG width = monitor.right - monitor.left;
    const LONG height = monitor.bottom - monitor.top;
    return POINT{monitor.left + (width - dialog.cx) / 2, monitor.top + (height - dialog.cy) / 3};
}

bool TSaveDialog::Execute() {
    const std::string filter =
        Filter.empty() ? std::string() : FilterToDoubleZeroList(Filter, shared::IsSystemLeadByte);
    std::array<char, kFileBufferSize> file{};
    FileName.copy(file.data(), MAX_PATH);
    TSaveHookData hookData;
    hookData.placeBy = PlacementWindow(Owner, MainForm);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = "";
    ofn.lpstrTitle = nullptr; // the system's own title; an empty one shows as empty on Wine
    ofn.Flags = kSaveFlags;
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.lCustData = reinterpret_cast<LPARAM>(&hookData);
    ofn.lpfnHook = &TSaveDialog::Hook;

    const auto saveFileName =
        shared::LateProc<decltype(&GetSaveFileNameA)>(shared::Comdlg32, "GetSaveFileNameA");
    BOOL confirmed = FALSE;
    {
        controls::TDisabledTaskWindows disabled(Owner);
        confirmed = saveFileName(&ofn);
    }
    // A failure (such as a path too long for the buffer) counts as a cancel.
    if (!confirmed)
        return false;
    FileName = BufferText(file.data(), file.size());
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}

UINT_PTR CALLBACK TSaveDialog::Hook(HWND child, UINT msg, WPARAM /*wParam*/, LPARAM lParam) {
    if (msg != WM_NOTIFY)
        return 0;
    controls::Guarded([&]() -> LRESULT {
        const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (note->hdr.code != CDN_INITDONE)
            return 0;
        const auto* data = reinterpret_cast<const TSaveHookData*>(note->lpOFN->lCustData);
        // The hook belongs to an empty child dialog; the visible dialog is its parent.
        PlaceSaveDialog(GetParent(child), data ? data->placeBy : nullptr);
        return 0;
    });
    return 0;
}

} // namespace gui
