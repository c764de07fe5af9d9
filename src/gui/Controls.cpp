#include "gui/Controls.h"

#include <commctrl.h>

#include "shared/Handles.h"

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
}

void TLabel::Create(const TCreateArgs& args) {
    // SS_NOPREFIX: an '&' in a caption is shown as itself.
    CreateHandle(0, WC_STATICA, kChild | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, args);
}

Size TLabel::TextExtent() const {
    SIZE size{};
    const TWindowDc dc(hwnd_);
    const TSelection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMsg(WM_GETFONT)));
    const std::string text = Text();
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
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
}

void TPanel::Create(const TCreateArgs& args) {
    RegisterWindowClass("TPanel");
    // Tab and arrow-key navigation must walk into the panel's children.
    CreateCustom(WS_EX_CONTROLPARENT, "TPanel", kChild, args);
}

} // namespace gui
