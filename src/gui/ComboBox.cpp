#include "gui/ComboBox.h"

#include <commctrl.h>

#include "gui/AnsiText.h"
#include "gui/Completion.h"
#include "shared/Exceptions.h"

namespace gui {

namespace {

struct TSelectionRange {
    DWORD start = 0;
    DWORD end = 0;
};

TSelectionRange SelectionOf(HWND edit) {
    TSelectionRange range;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&range.start),
                 reinterpret_cast<LPARAM>(&range.end));
    return range;
}

} // namespace

void TComboBox::Create(const TCreateArgs& args) {
    TCreateArgs withList = args;
    withList.bounds.height = WindowHeight(args.bounds.height);
    CreateHandle(0, WC_COMBOBOXA,
                 WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                     CBS_AUTOHSCROLL,
                 withList);
    SendMsg(CB_LIMITTEXT, 0); // no length limit of our own
    SendMsg(CB_SETITEMHEIGHT, 0, itemHeight);
    SendMsg(CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    edit_ = GetComboBoxInfo(hwnd_, &info) && info.hwndItem
                ? info.hwndItem
                : FindWindowExA(hwnd_, nullptr, WC_EDITA, nullptr);
    if (edit_)
        Subclass(edit_);
}

int TComboBox::WindowHeight(int fieldHeight) const {
    // The height a drop-down combo box is given is that of the field plus its list.
    return fieldHeight + visibleItems * itemHeight + 2;
}

void TComboBox::SetBounds(const Rect& r) {
    TControl::SetBounds({r.left, r.top, r.width, WindowHeight(r.height)});
}

std::string TComboBox::Item(int index) const {
    const LRESULT length = SendMsg(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
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
    const LRESULT result = SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (result == CB_ERR || result == CB_ERRSPACE)
        throw EOutOfResources("Unable to insert a line");
}

bool TComboBox::CompleteTypedChar(char typed) {
    const TSelectionRange selection = SelectionOf(edit_);
    const std::string text = Text();
    const int lookupEnd = selection.start == selection.end ? static_cast<int>(text.size())
                                                           : static_cast<int>(selection.start);
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
        const std::string typed = TypedAnsiChars(hwnd, wParam);
        if (typed.size() == 1 && CompleteTypedChar(typed[0]))
            return 0;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

} // namespace gui
