#include "controls/TaskWindows.h"

namespace controls {

namespace {
struct TCollect {
    HWND dialogOwner;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectVisibleEnabled(HWND hwnd, LPARAM collect) noexcept {
    try {
        const auto* into = reinterpret_cast<const TCollect*>(collect);
        if (hwnd != into->dialogOwner && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            into->windows->push_back(hwnd);
        return TRUE;
    } catch (...) {
        return FALSE; // out of memory: the windows found so far are all we can disable
    }
}
} // namespace

TDisabledTaskWindows::TDisabledTaskWindows(HWND dialogOwner)
    : active_(GetActiveWindow()), focus_(GetFocus()) {
    TCollect collect{dialogOwner, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleEnabled,
                      reinterpret_cast<LPARAM>(&collect));
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
