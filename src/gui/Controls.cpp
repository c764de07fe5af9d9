#include "gui/Controls.h"

#include "app/Exceptions.h"
#include "gui/Completion.h"

namespace gui {

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

} // namespace

void TButton::Create(HWND parent, int id, const std::string& caption, const Rect& r) {
    CreateHandle(0, WC_BUTTONA, caption.c_str(), kChild | WS_TABSTOP | BS_PUSHBUTTON, r, parent,
                 id);
}

void TButton::OnCommand(WORD code) {
    if (code == BN_CLICKED && onClick)
        onClick();
}

void TCheckBox::Create(HWND parent, int id, const std::string& caption, const Rect& r) {
    CreateHandle(0, WC_BUTTONA, caption.c_str(), kChild | WS_TABSTOP | BS_AUTOCHECKBOX, r, parent,
                 id);
}

void TLabel::Create(HWND parent, int id, const std::string& caption, const Rect& r) {
    // SS_NOPREFIX: an '&' in a caption is shown as itself.
    CreateHandle(0, WC_STATICA, caption.c_str(), kChild | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, r,
                 parent, id);
}

SIZE TLabel::TextExtent() const {
    SIZE size{};
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMsg(WM_GETFONT)));
    std::string text = Text();
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size;
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

void TEdit::Create(HWND parent, int id, const Rect& r) {
    CreateHandle(WS_EX_CLIENTEDGE, WC_EDITA, "", kChild | WS_TABSTOP | ES_AUTOHSCROLL, r, parent,
                 id);
    SendMsg(EM_SETLIMITTEXT, 0); // no length limit of our own
}

void TBevel::Create(HWND parent, int id, const Rect& r) {
    CreateHandle(0, WC_STATICA, "", kChild | SS_ETCHEDHORZ, r, parent, id);
}

void TComboBox::Create(HWND parent, int id, const Rect& r, int itemHeight, int visibleItems) {
    // The height passed at creation is that of the field plus its drop-down list.
    Rect withList = r;
    withList.height = r.height + visibleItems * itemHeight + 2;
    CreateHandle(0, WC_COMBOBOXA, "",
                 kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, withList,
                 parent, id);
    SendMsg(CB_LIMITTEXT, 0); // no length limit of our own
    SendMsg(CB_SETITEMHEIGHT, 0, itemHeight);
    SendMsg(CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd_, &info) && info.hwndItem)
        edit_ = info.hwndItem;
    else
        edit_ = FindWindowExA(hwnd_, nullptr, WC_EDITA, nullptr);
    if (edit_)
        Subclass(edit_);
}

std::string TComboBox::Item(int index) const {
    LRESULT length = SendMsg(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied =
        SendMsg(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    for (int i = 0, n = Count(); i < n; ++i)
        items.push_back(Item(i));
    return items;
}

void TComboBox::AddItem(const std::string& text) {
    LRESULT result = SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (result == CB_ERR || result == CB_ERRSPACE)
        throw EOutOfResources("Unable to insert a line");
}

bool TComboBox::CompleteTypedChar(char typed) {
    DWORD selStart = 0, selEnd = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    std::string text = Text();
    int lookupEnd = selStart == selEnd ? static_cast<int>(text.size()) : static_cast<int>(selStart);
    auto completion = CompleteTyped(text, lookupEnd, typed, Items());
    if (!completion)
        return false;
    SendMsg(CB_SETCURSEL, static_cast<WPARAM>(completion->itemIndex));
    SetWindowTextA(edit_, completion->text.c_str());
    SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(completion->selStart),
                 static_cast<LPARAM>(completion->selEnd));
    return true;
}

LRESULT TComboBox::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR) {
        // Only single-byte characters complete; others are typed as they are.
        std::string typed = TypedAnsiChars(hwnd, wParam);
        if (typed.size() == 1 && CompleteTypedChar(typed[0]))
            return 0;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

void TPageControl::Create(HWND parent, int id, const Rect& r) {
    // The pages are children of the tab strip, so tabbing walks from the strip into them.
    CreateHandle(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "", kChild | WS_TABSTOP | WS_CLIPCHILDREN, r,
                 parent, id);
}

TPanel& TPageControl::AddPage(int id, const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    int index = static_cast<int>(pages_.size());
    SendMsg(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    auto page = std::make_unique<TPanel>();
    page->Create(hwnd_, id, Rect{}, index == 0);
    page->SetFont(reinterpret_cast<HFONT>(SendMsg(WM_GETFONT)));
    pages_.push_back(std::move(page));
    LayoutPages();
    return *pages_.back();
}

void TPageControl::LayoutPages() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    SendMsg(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    for (auto& page : pages_)
        page->SetBounds({rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top});
}

void TPageControl::SetActivePage(int index) {
    SendMsg(TCM_SETCURSEL, static_cast<WPARAM>(index));
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->SetVisible(static_cast<int>(i) == index);
}

LRESULT TPageControl::OnNotify(NMHDR* hdr) {
    if (hdr->code == TCN_SELCHANGE)
        SetActivePage(ActivePage());
    return 0;
}

} // namespace gui
