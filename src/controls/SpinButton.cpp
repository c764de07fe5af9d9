#include "controls/SpinButton.h"

#include <windowsx.h>

#include <algorithm>

#include "shared/Exceptions.h"

namespace controls {

namespace {

constexpr UINT_PTR kRepeatTimerId = 1;

POINT PointFrom(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

void TTimerSpeedButton::Create(const TCreateArgs& args) {
    RegisterWindowClass("TTimerSpeedButton");
    CreateCustom(0, "TTimerSpeedButton", WS_CHILD | WS_CLIPSIBLINGS, args);
}

LRESULT TTimerSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (MouseMessage(msg, lParam))
        return 0;
    switch (msg) {
    case WM_TIMER:
        if (wParam != kRepeatTimerId)
            break;
        TimerExpired();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_)
            CancelPress();
        return 0;
    case WM_CANCELMODE:
        CancelPress();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        timer_.reset();
        break;
    default:
        break;
    }
    return TCustomWindow::WndProc(msg, wParam, lParam);
}

bool TTimerSpeedButton::MouseMessage(UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        LeftDown();
        return true;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OtherButtonDown();
        return true;
    case WM_MOUSEMOVE:
        MouseMove(PointFrom(lParam));
        return true;
    case WM_LBUTTONUP:
        LeftUp(PointFrom(lParam));
        return true;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OtherButtonUp();
        return true;
    default:
        return false;
    }
}

void TTimerSpeedButton::LeftDown() {
    dragging_ = true;
    SetPressed(true);
    if (GetCapture() != hwnd_)
        SetCapture(hwnd_);
    if (focusControl && GetFocus() != focusControl && IsWindowVisible(focusControl) &&
        IsWindowEnabled(focusControl))
        SetFocus(focusControl);
    StartRepeat(kInitialRepeatPause);
}

void TTimerSpeedButton::OtherButtonDown() {
    // Captured so that the release is seen and stops the timer wherever it happens.
    if (GetCapture() != hwnd_)
        SetCapture(hwnd_);
    StartRepeat(kInitialRepeatPause);
}

void TTimerSpeedButton::MouseMove(POINT at) {
    if (dragging_)
        SetPressed(IsOver(at));
}

void TTimerSpeedButton::LeftUp(POINT at) {
    StopRepeat();
    if (!dragging_) {
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        return;
    }
    const bool over = IsOver(at);
    CancelPress();
    if (over)
        Click();
}

void TTimerSpeedButton::OtherButtonUp() {
    StopRepeat();
    if (!dragging_ && GetCapture() == hwnd_)
        ReleaseCapture();
}

void TTimerSpeedButton::TimerExpired() {
    if (!timer_)
        return;
    if (timer_->Interval() != kRepeatPause)
        StartRepeat(kRepeatPause);
    if (!pressed_ || GetCapture() != hwnd_)
        return;
    try {
        Click();
    } catch (...) {
        // Stopped before the error box comes up, or every tick would raise another one.
        CancelPress();
        throw;
    }
}

// The press ends without a click: the button was released, lost the capture to someone
// else, or an error box is about to come up.
void TTimerSpeedButton::CancelPress() {
    dragging_ = false;
    SetPressed(false);
    StopRepeat();
    if (GetCapture() == hwnd_)
        ReleaseCapture();
}

void TTimerSpeedButton::StartRepeat(UINT intervalMs) {
    if (!timer_)
        timer_ = std::make_unique<shared::TWindowTimer>(hwnd_, kRepeatTimerId);
    if (!timer_->Start(intervalMs))
        throw shared::EOutOfResources("Not enough timers available");
}

void TTimerSpeedButton::StopRepeat() {
    if (timer_)
        timer_->Stop();
}

void TTimerSpeedButton::SetPressed(bool pressed) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

bool TTimerSpeedButton::IsOver(POINT at) const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    return PtInRect(&rc, at) != FALSE;
}

void TTimerSpeedButton::Click() {
    if (onClick)
        onClick();
}

void TTimerSpeedButton::Paint() {
    const shared::TPaintDc paint(hwnd_);
    HDC dc = paint.Get();
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));

    // A small solid triangle, one pixel down and right while pressed.
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const int rows = std::max(1, std::min((width - 3) / 4, (height - 3) / 2));
    const int shift = pressed_ ? 1 : 0;
    const int centreX = width / 2 + shift;
    const int top = (height - rows) / 2 + shift;
    const bool enabled = IsWindowEnabled(hwnd_) && (!focusControl || IsWindowEnabled(focusControl));
    HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int i = 0; i < rows; ++i) {
        const int half = arrow == TArrow::Up ? i : rows - 1 - i;
        const RECT line{centreX - half, top + i, centreX + half + 1, top + i + 1};
        FillRect(dc, &line, brush);
    }
}

void TSpinButton::Create(const TCreateArgs& args) {
    RegisterWindowClass("TSpinButton");
    CreateCustom(0, "TSpinButton", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, args);
    up_.arrow = TTimerSpeedButton::TArrow::Up;
    down_.arrow = TTimerSpeedButton::TArrow::Down;
    for (TTimerSpeedButton* button : {&up_, &down_}) {
        button->focusControl = focusControl;
        button->Create({hwnd_, 0, "", Rect{}, true});
    }
    up_.onClick = [this] {
        if (onUpClick)
            onUpClick();
    };
    down_.onClick = [this] {
        if (onDownClick)
            onDownClick();
    };
    LayoutButtons();
}

LRESULT TSpinButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE)
        LayoutButtons();
    return TCustomWindow::WndProc(msg, wParam, lParam);
}

void TSpinButton::LayoutButtons() {
    if (!up_.Handle() || !down_.Handle())
        return;
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    const int upper = rc.bottom / 2;
    up_.SetBounds({0, 0, rc.right, upper});
    down_.SetBounds({0, upper, rc.right, rc.bottom - upper});
}

} // namespace controls
