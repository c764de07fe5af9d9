#include "controls/TaskWindows.h"

namespace controls {

namespace {
BOOL CALLBACK CollectVisibleEnabled(HWND hwnd, LPARAM list) noexcept {
    try {
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    } catch (...) {
        return FALSE; // out of memory: the windows found so far are all we can disable
    }
}
} // namespace

TDisabledTaskWindows::TDisabledTaskWindows() : active_(GetActiveWindow()), focus_(GetFocus()) {
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleEnabled,
                      reinterpret_cast<LPARAM>(&disabled_));
    for (HWND hwnd : disabled_)
        EnableWindow(hwnd, FALSE);
}

TDisabledTaskWindows::~TDisabledTaskWindows() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_))
        SetActiveWindow(active_);
    if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_))
        SetFocus(focus_);
}

} // namespace controls
