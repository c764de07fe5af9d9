#include "controls/Controls.h"

#include <commctrl.h>
#include <oleacc.h>

namespace controls {

void TButton::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::Button), args);
}

void TButton::OnCommand(WORD code) {
    if (code == BN_CLICKED && onClick)
        onClick();
}

void TCheckBox::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::CheckBox), args);
    if (checked_)
        SetChecked(true);
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (hwnd_)
        SendMsg(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TLabel::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::Label), args);
}

void TLink::Create(const TCreateArgs& args) {
    TWindowStyle style = StyleOf(TControlKind::Label);
    style.style |= WS_TABSTOP;
    CreateHandle(style, args);
    Subclass(hwnd_);
    SetAccessibleName(args.text, ROLE_SYSTEM_LINK);
}

LRESULT TLink::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // A static wants no keys: the dialog manager would turn Enter into the window's IDOK
        // and drop Space. These two open the link.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool opens = key && (key->wParam == VK_RETURN || key->wParam == VK_SPACE);
        return CallDefault(hwnd, msg, wParam, lParam) | (opens ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && onClick) {
            onClick();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case WM_PAINT: {
        // A static draws no focus. Its text is painted into our paint cycle (a static paints
        // into the DC that WM_PAINT hands it), and the focus drawn over it there, as a button
        // draws it, unless the user has not used the keyboard yet; a DC of its own would be
        // clipped away by the parent.
        const shared::TPaintDc dc(hwnd);
        CallDefault(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0);
        if (GetFocus() == hwnd && !(SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
            RECT rc{};
            GetClientRect(hwnd, &rc);
            DrawFocusRect(dc.Get(), &rc);
        }
        return 0;
    }
    default:
        break;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

Size TTextMeasure::Extent(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(screen_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void TLabel::OnCommand(WORD code) {
    if (code == STN_CLICKED && onClick)
        onClick();
}

HBRUSH TLabel::OnCtlColor(HDC dc) {
    if (textColor == CLR_INVALID)
        return nullptr;
    SetTextColor(dc, textColor);
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

void TEdit::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::Edit), args);
    SendMsg(EM_SETLIMITTEXT, 0); // no length limit of our own
}

void TBevel::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::Bevel), args);
    // An etched line gets a static edge of its own as it is made, and grows by it.
    SetBounds(args.bounds);
}

void TPanel::Create(const TCreateArgs& args) {
    const TWindowStyle style = StyleOf(TControlKind::Panel);
    RegisterWindowClass(style.className);
    CreateCustom(style.exStyle, style.className, style.style, args);
}

} // namespace controls
