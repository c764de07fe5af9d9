#include "controls/Controls.h"

#include <commctrl.h>

namespace gui {

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

} // namespace gui
