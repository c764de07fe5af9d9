#include "controls/SpinEdit.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>

#include "controls/AnsiText.h"
#include "controls/rules/SpinValue.h"
#include "shared/System.h"

namespace controls {

namespace {

// Never accepted by the filter: stands for a character the ANSI code page cannot hold.
constexpr char kUnmappable = '\x7f';

char TypedAnsiChar(HWND hwnd, WPARAM wParam) {
    const std::string typed = TypedAnsiChars(hwnd, wParam);
    return typed.size() == 1 ? typed[0] : kUnmappable;
}

} // namespace

void TSpinEdit::Create(const TCreateArgs& args) {
    decimalSeparator_ = shared::DecimalSeparator();
    TWindowStyle style = StyleOf(TControlKind::SpinEdit);
    style.style |= readOnly_ ? ES_READONLY : 0;
    CreateHandle(style, args);
    Subclass(hwnd_);
    if (dpi_ == 0)
        dpi_ = shared::WindowDpi(hwnd_);
    button_.onUpClick = [this] { UpClick(); };
    button_.onDownClick = [this] { DownClick(); };
    button_.focusControl = hwnd_;
    // The arrows are the field's sibling, laid over its right edge and above it in z-order:
    // an edit paints through its parent's clipping (its class has CS_PARENTDC), so a child of
    // its own would be painted over as soon as the edit draws its text or caret.
    button_.Create({args.parent, 0, "", ButtonBounds(), args.visible});
    SetWindowPos(button_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ApplyTextMargin();
}

void TSpinEdit::SetDpi(int dpi) {
    dpi_ = dpi;
    if (hwnd_)
        FitButton();
}

void TSpinEdit::SetAccessibleName(const std::string& name, long role) {
    TControl::SetAccessibleName(name, role);
    button_.UpButton().SetAccessibleName("Increase " + name, ROLE_SYSTEM_PUSHBUTTON);
    button_.DownButton().SetAccessibleName("Decrease " + name, ROLE_SYSTEM_PUSHBUTTON);
}

std::int32_t TSpinEdit::Value() const {
    // Pasted text that the code page cannot hold (a full-width digit) does not parse: its
    // best-fit copy would read as a number the user never typed.
    const std::optional<std::string> text = ExactText();
    return text ? ReadSpinValue(*text, minValue_) : minValue_;
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
    const int width = std::min(ScaleToDpi(kButtonWidth, dpi_), static_cast<int>(rc.right));
    POINT corner{rc.right - width, 0};
    MapWindowPoints(hwnd_, GetParent(hwnd_), &corner, 1);
    return {corner.x, corner.y, width, rc.bottom};
}

void TSpinEdit::ApplyTextMargin() {
    // A sunken edit keeps a pixel of its own inside the border; measured, not assumed.
    SendMsg(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    RECT client{};
    RECT text{};
    GetClientRect(hwnd_, &client);
    SendMsg(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    const int inset = std::max(0, static_cast<int>(client.right - text.right));
    const int wanted = ScaleToDpi(kButtonWidth, dpi_) + ScaleToDpi(kTextGap, dpi_);
    SendMsg(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, std::max(0, wanted - inset)));
}

void TSpinEdit::FitButton() {
    if (button_.Handle())
        button_.SetBounds(ButtonBounds());
    ApplyTextMargin();
}

LRESULT TSpinEdit::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return OnGetDlgCode(hwnd, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        break;
    case WM_CHAR:
        return OnChar(hwnd, wParam, lParam);
    case WM_PASTE:
    case WM_CUT:
        if (readOnly_ || !editorEnabled_)
            return 0;
        break;
    case WM_LBUTTONDOWN:
        return OnLeftDown(hwnd, wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus(hwnd, wParam, lParam);
    case WM_KILLFOCUS:
        return OnKillFocus(hwnd, wParam, lParam);
    case WM_SETFONT: // a new font resets the edit's margins
    case WM_SIZE:
    case WM_MOVE: {
        const LRESULT result = CallDefault(hwnd, msg, wParam, lParam);
        FitButton();
        return result;
    }
    case WM_SHOWWINDOW: // the arrows show and hide with the field
    case WM_ENABLE:     // and grey out with it
        FollowField(msg, wParam);
        break;
    case WM_SETTINGCHANGE: // also WM_WININICHANGE
        decimalSeparator_ = shared::DecimalSeparator();
        break;
    default:
        break;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

void TSpinEdit::FollowField(UINT msg, WPARAM wParam) {
    if (!button_.Handle())
        return;
    if (msg == WM_SHOWWINDOW)
        button_.SetVisible(wParam != FALSE);
    else
        RedrawWindow(button_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TSpinEdit::OnKeyDown(WPARAM key) {
    // Auto-repeat arrives as further key-downs: each one is a step.
    if (key == VK_UP)
        UpClick();
    else if (key == VK_DOWN)
        DownClick();
}

LRESULT TSpinEdit::OnLeftDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The edit takes the focus inside this message; a click into the text keeps the caret
    // where the user put it.
    clickingIn_ = GetFocus() != hwnd;
    const LRESULT result = CallDefault(hwnd, WM_LBUTTONDOWN, wParam, lParam);
    clickingIn_ = false;
    return result;
}

LRESULT TSpinEdit::OnSetFocus(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    decimalSeparator_ = shared::DecimalSeparator();
    const LRESULT result = CallDefault(hwnd, WM_SETFOCUS, wParam, lParam);
    // Entered from another control of the window, not given back after Alt+Tab, a restore
    // from the taskbar or a message box: the user's selection then stays as it was.
    HWND from = reinterpret_cast<HWND>(wParam);
    const bool entered =
        from && from != hwnd && GetAncestor(from, GA_ROOT) == GetAncestor(hwnd, GA_ROOT);
    if (autoSelect_ && entered && !clickingIn_)
        SendMsg(EM_SETSEL, 0, -1);
    return result;
}

LRESULT TSpinEdit::OnKillFocus(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallDefault(hwnd, WM_KILLFOCUS, wParam, lParam);
    // Only a move to another control counts as leaving the field.
    if (wParam) {
        const std::int32_t value = Value();
        if (BoundValue(value, minValue_, maxValue_) != value)
            SetValue(value);
    }
    return result;
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
    if (const auto* m = reinterpret_cast<const MSG*>(lParam)) {
        if ((m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
    }
    return code;
}

} // namespace controls
