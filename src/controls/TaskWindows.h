// Keeps the program's windows disabled while a modal system dialog of ours is up, then
// enables exactly those again and gives the focus back to where it was. The dialog's owner
// is left to the dialog, which disables it and enables it again before it goes: were the
// owner still disabled then, the system would find no window of ours to activate and hand
// the foreground to another program, and with it the keyboard focus.
#pragma once

#include <windows.h>

#include <vector>

namespace controls {

class TDisabledTaskWindows {
public:
    explicit TDisabledTaskWindows(HWND dialogOwner);
    TDisabledTaskWindows(const TDisabledTaskWindows&) = delete;
    TDisabledTaskWindows& operator=(const TDisabledTaskWindows&) = delete;
    ~TDisabledTaskWindows();

private:
    HWND active_ = nullptr;
    HWND focus_ = nullptr;
    std::vector<HWND> disabled_;
};

} // namespace controls
