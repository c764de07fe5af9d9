#include "gui/SpinEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "app/Exceptions.h"
#include "gui/SpinValue.h"

namespace gui {

namespace {

constexpr UINT_PTR kRepeatTimerId = 1;
// Never accepted by the filter: stands for a character the ANSI code page cannot hold.
constexpr char kUnmappable = '\x7f';

class TPaintDc {
public:
    explicit TPaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;
    ~TPaintDc() { EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

char ReadDecimalSeparator() {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 0)
        return buffer[0];
    return '\0';
}

char TypedAnsiChar(HWND hwnd, WPARAM wParam) {
    std::string typed = TypedAnsiChars(hwnd, wParam);
    return typed.size() == 1 ? typed[0] : kUnmappable;
}

POINT PointFrom(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

void TWindowTimer::Start(UINT intervalMs) {
    if (!SetTimer(hwnd_, id_, intervalMs, nullptr)) {
        running_ = false;
        throw EOutOfResources("Not enough timers available");
    }
    interval_ = intervalMs;
    running_ = true;
}

void TWindowTimer::Stop() {
    if (running_ && IsWindow(hwnd_))
        KillTimer(hwnd_, id_);
    running_ = false;
}

void TTimerSpeedButton::Create(HWND parent, TArrow arrow, HWND focusControl, const Rect& r) {
    arrow_ = arrow;
    focusControl_ = focusControl;
    // No CS_DBLCLKS: a fast second click must be a second press, not a double click.
    RegisterWindowClass("TTimerSpeedButton");
    CreateCustom(0, "TTimerSpeedButton", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r, parent, 0);
}

LRESULT TTimerSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        LeftDown();
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OtherButtonDown();
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(PointFrom(lParam));
        return 0;
    case WM_LBUTTONUP:
        LeftUp(PointFrom(lParam));
        return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OtherButtonUp();
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimerId) {
            TimerExpired();
            return 0;
        }
        break;
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

void TTimerSpeedButton::LeftDown() {
    dragging_ = true;
    SetPressed(true);
    if (GetCapture() != hwnd_)
        SetCapture(hwnd_);
    if (focusControl_ && GetFocus() != focusControl_ && IsWindowVisible(focusControl_) &&
        IsWindowEnabled(focusControl_))
        SetFocus(focusControl_);
    StartRepeat();
}

void TTimerSpeedButton::OtherButtonDown() {
    // Captured so that the release is seen and stops the timer wherever it happens.
    if (GetCapture() != hwnd_)
        SetCapture(hwnd_);
    StartRepeat();
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
    bool over = IsOver(at);
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
        timer_->Start(kRepeatPause);
    if (!pressed_ || GetCapture() != hwnd_)
        return;
    try {
        Click();
    } catch (...) {
        // Stopped before the error box comes up, or every tick would raise another one.
        StopRepeat();
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

void TTimerSpeedButton::StartRepeat() {
    if (!timer_)
        timer_ = std::make_unique<TWindowTimer>(hwnd_, kRepeatTimerId);
    timer_->Start(kInitialRepeatPause);
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
    TPaintDc paint(hwnd_);
    HDC dc = paint.Get();
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));

    // A small solid triangle, one pixel down and right while pressed.
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int rows = std::max(1, std::min((width - 3) / 4, (height - 3) / 2));
    int shift = pressed_ ? 1 : 0;
    int centreX = width / 2 + shift;
    int top = (height - rows) / 2 + shift;
    bool enabled = IsWindowEnabled(hwnd_) && (!focusControl_ || IsWindowEnabled(focusControl_));
    HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int i = 0; i < rows; ++i) {
        int half = arrow_ == TArrow::Up ? i : rows - 1 - i;
        RECT line{centreX - half, top + i, centreX + half + 1, top + i + 1};
        FillRect(dc, &line, brush);
    }
}

void TSpinButton::Create(HWND parent, HWND focusControl, const Rect& r) {
    RegisterWindowClass("TSpinButton");
    CreateCustom(0, "TSpinButton", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, r,
                 parent, 0);
    up_.Create(hwnd_, TTimerSpeedButton::TArrow::Up, focusControl, Rect{});
    down_.Create(hwnd_, TTimerSpeedButton::TArrow::Down, focusControl, Rect{});
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
    int upper = rc.bottom / 2;
    up_.SetBounds({0, 0, rc.right, upper});
    down_.SetBounds({0, upper, rc.right, rc.bottom - upper});
}

void TSpinEdit::Create(HWND parent, int id, const Rect& r) {
    dpi_ = ScreenDpi();
    decimalSeparator_ = ReadDecimalSeparator();
    // WS_CLIPCHILDREN: the edit must not paint over the arrow column inside it.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                  ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0);
    CreateHandle(WS_EX_CLIENTEDGE, WC_EDITA, FormatSpinValue(0).c_str(), style, r, parent, id);
    Subclass(hwnd_);
    button_.onUpClick = [this] { UpClick(); };
    button_.onDownClick = [this] { DownClick(); };
    button_.Create(hwnd_, hwnd_, ButtonBounds());
    ApplyTextMargin();
}

std::int32_t TSpinEdit::Value() const {
    return ReadSpinValue(Text(), minValue_);
}

void TSpinEdit::SetValue(std::int32_t value) {
    SetText(FormatSpinValue(BoundValue(value, minValue_, maxValue_)));
}

void TSpinEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (hwnd_)
        SendMsg(EM_SETREADONLY, v ? TRUE : FALSE);
}

void TSpinEdit::Step(bool up) {
    if (readOnly_) {
        Beep();
        return;
    }
    SetValue(StepValue(Value(), increment_, up));
}

void TSpinEdit::Beep() {
    if (beep)
        beep();
}

Rect TSpinEdit::ButtonBounds() const {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    int width = std::min(ScaleToDpi(kButtonWidth, dpi_), static_cast<int>(rc.right));
    return {rc.right - width, 0, width, rc.bottom};
}

void TSpinEdit::ApplyTextMargin() {
    // A sunken edit keeps a pixel of its own inside the border; measured, not assumed.
    SendMsg(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    RECT client{}, text{};
    GetClientRect(hwnd_, &client);
    SendMsg(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    int inset = std::max(0, static_cast<int>(client.right - text.right));
    int wanted = ScaleToDpi(kButtonWidth, dpi_) + ScaleToDpi(kTextGap, dpi_);
    SendMsg(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, std::max(0, wanted - inset)));
}

LRESULT TSpinEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return OnGetDlgCode(hwnd, wParam, lParam);
    case WM_KEYDOWN:
        // Auto-repeat arrives as further key-downs: each one is a step.
        if (wParam == VK_UP)
            UpClick();
        else if (wParam == VK_DOWN)
            DownClick();
        break;
    case WM_CHAR:
        return OnChar(hwnd, wParam, lParam);
    case WM_PASTE:
    case WM_CUT:
        if (readOnly_ || !editorEnabled_)
            return 0;
        break;
    case WM_LBUTTONDOWN: {
        // The edit takes the focus inside this message; a click into the text keeps the
        // caret where the user put it.
        clickingIn_ = GetFocus() != hwnd;
        LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        clickingIn_ = false;
        return result;
    }
    case WM_SETFOCUS: {
        // Settings changes reach only top-level windows; catch up whenever the user comes back.
        decimalSeparator_ = ReadDecimalSeparator();
        LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        if (autoSelect_ && !clickingIn_)
            SendMsg(EM_SETSEL, 0, -1);
        return result;
    }
    case WM_KILLFOCUS: {
        LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        // Only a move to another control counts as leaving the field.
        if (wParam) {
            std::int32_t value = Value();
            if (BoundValue(value, minValue_, maxValue_) != value)
                SetValue(value);
        }
        return result;
    }
    case WM_SETFONT: {
        // A new font resets the edit's margins.
        LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        ApplyTextMargin();
        return result;
    }
    case WM_SIZE: {
        LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        if (button_.Handle())
            button_.SetBounds(ButtonBounds());
        ApplyTextMargin();
        return result;
    }
    case WM_ENABLE:
        // The arrows grey out with the field.
        if (button_.Handle())
            RedrawWindow(button_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        break;
    case WM_SETTINGCHANGE: // also WM_WININICHANGE
        decimalSeparator_ = ReadDecimalSeparator();
        break;
    default:
        break;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

LRESULT TSpinEdit::OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (!SpinCharAccepted(TypedAnsiChar(hwnd, wParam), decimalSeparator_, editorEnabled_)) {
        Beep();
        return 0;
    }
    return CallDefault(hwnd, WM_CHAR, wParam, lParam);
}

LRESULT TSpinEdit::OnGetDlgCode(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LRESULT code = CallDefault(hwnd, WM_GETDLGCODE, wParam, lParam);
    code |= DLGC_WANTARROWS | DLGC_WANTCHARS;
    // The dialog manager would select all on every Tab into the field; AutoSelect decides.
    code &= ~static_cast<LRESULT>(DLGC_HASSETSEL);
    // Enter must reach the character filter (and beep) instead of pressing a default button.
    if (auto* m = reinterpret_cast<const MSG*>(lParam)) {
        if ((m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
    }
    return code;
}

} // namespace gui
