#include "gui/Controls.h"

#include <commctrl.h>

namespace gui {

namespace {
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
} // namespace

void TButton::Create(const TCreateArgs& args) {
    CreateHandle(0, WC_BUTTONA, kChild | WS_TABSTOP | BS_PUSHBUTTON, args);
}

void TButton::OnCommand(WORD code) {
    if (code == BN_CLICKED && onClick)
        onClick();
}

void TCheckBox::Create(const TCreateArgs& args) {
    CreateHandle(0, WC_BUTTONA, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, args);
    if (checked_)
        SetChecked(true);
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (hwnd_)
        SendMsg(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TLabel::Create(const TCreateArgs& args) {
    // SS_NOPREFIX: an '&' in a caption is shown as itself.
    CreateHandle(0, WC_STATICA, kChild | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, args);
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
    CreateHandle(WS_EX_CLIENTEDGE, WC_EDITA, kChild | WS_TABSTOP | ES_AUTOHSCROLL, args);
    SendMsg(EM_SETLIMITTEXT, 0); // no length limit of our own
}

void TBevel::Create(const TCreateArgs& args) {
    CreateHandle(0, WC_STATICA, kChild | SS_ETCHEDHORZ, args);
    // An etched line gets a static edge of its own as it is made, and grows by it.
    SetBounds(args.bounds);
}

void TPanel::Create(const TCreateArgs& args) {
    RegisterWindowClass("TPanel");
    // Tab and arrow-key navigation must walk into the panel's children.
    CreateCustom(WS_EX_CONTROLPARENT, "TPanel", kChild, args);
}

} // namespace gui
