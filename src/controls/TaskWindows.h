// Keeps the program's windows disabled while a modal system dialog of ours is up, then
// enables exactly those again and gives the focus back to where it was.
#pragma once

#include <windows.h>

#include <vector>

namespace controls {

class TDisabledTaskWindows {
public:
    TDisabledTaskWindows();
    TDisabledTaskWindows(const TDisabledTaskWindows&) = delete;
    TDisabledTaskWindows& operator=(const TDisabledTaskWindows&) = delete;
    ~TDisabledTaskWindows();

private:
    HWND active_ = nullptr;
    HWND focus_ = nullptr;
    std::vector<HWND> disabled_;
};

} // namespace controls
