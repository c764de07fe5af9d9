#include "controls/ComboBox.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "controls/AnsiText.h"
#include "controls/rules/Completion.h"
#include "shared/Exceptions.h"
#include "shared/System.h"

namespace controls {

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

// The edit's text before its selection, all of it when nothing is selected, in ANSI; nothing
// when that text holds a character the code page cannot represent. A Unicode edit counts
// its positions in UTF-16 units, an ANSI one in bytes.
std::optional<std::string> TextBeforeSelection(HWND edit) {
    const TSelectionRange selection = SelectionOf(edit);
    auto cut = [&](std::size_t all) {
        return selection.start == selection.end ? all : std::min<std::size_t>(selection.start, all);
    };
    if (!IsWindowUnicode(edit)) {
        const std::string bytes = AnsiWindowText(edit);
        return bytes.substr(0, cut(bytes.size()));
    }
    const std::vector<wchar_t> wide = WideWindowText(edit);
    return shared::ExactAnsi(wide.data(), cut(wide.size()));
}

// Where a byte position of an ANSI text lies as the edit counts positions.
WPARAM EditPosition(HWND edit, const std::string& text, int bytes) {
    const std::string head = text.substr(0, static_cast<size_t>(bytes));
    // The wide form ends in its terminating zero.
    return IsWindowUnicode(edit) ? shared::WideFromAnsi(head).size() - 1
                                 : static_cast<WPARAM>(bytes);
}

} // namespace

void TComboBox::Create(const TCreateArgs& args) {
    TCreateArgs withList = args;
    withList.bounds.height = WindowHeight(args.bounds.height);
    CreateHandle(StyleOf(TControlKind::ComboBox), withList);
    SendMsg(CB_LIMITTEXT, 0); // no length limit of our own
    SendMsg(CB_SETITEMHEIGHT, 0, itemHeight);
    // Fitted when its font is set, which sizes the field anew: fitted now as well, to the
    // system's font, it would be resized twice more for nothing, and under Wine each resize
    // of the box, its edit and its list costs some thirty round trips to the window server.
    fieldHeight_ = args.bounds.height;
    SendMsg(CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    edit_ = GetComboBoxInfo(hwnd_, &info) && info.hwndItem
                ? info.hwndItem
                : FindWindowExA(hwnd_, nullptr, WC_EDITA, nullptr);
}

void TComboBox::OnCommand(WORD code) {
    // Nothing is typed before the box has the focus: its edit is subclassed for completion
    // then, which keeps the work out of the start.
    if (code == CBN_SETFOCUS && edit_)
        Subclass(edit_);
}

int TComboBox::WindowHeight(int fieldHeight) const {
    // The height a drop-down combo box is given is that of the field plus its list.
    return fieldHeight + visibleItems * itemHeight + 2;
}

void TComboBox::SetBounds(const Rect& r) {
    TControl::SetBounds({r.left, r.top, r.width, WindowHeight(r.height)});
    FitField(r.height);
}

void TComboBox::SetDpi(int dpi) {
    itemHeight = ScaleToDpi(kListItemHeight, dpi);
    if (hwnd_)
        SendMsg(CB_SETITEMHEIGHT, 0, itemHeight);
}

void TComboBox::SetFont(HFONT font, bool redraw) {
    TControl::SetFont(font, redraw);
    FitField(fieldHeight_);
}

void TComboBox::FitField(int height) {
    fieldHeight_ = height;
    // A drop-down combo box's window is as tall as its closed field: the selection's height
    // plus a border of the control's own. The field grows one for one with the height asked
    // for, but Wine reads back two more than it was given, so each try adds what the field
    // still lacks to what was asked the time before.
    LRESULT asked = height > 0 ? SendMsg(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)) : CB_ERR;
    for (int attempt = 0; attempt < 3 && asked != CB_ERR; ++attempt) {
        RECT shown{};
        GetWindowRect(hwnd_, &shown);
        const int lacking = height - static_cast<int>(shown.bottom - shown.top);
        if (lacking == 0 || asked + lacking <= 0)
            return;
        asked += lacking;
        SendMsg(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
    }
}

std::string TComboBox::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : std::string();
}

void TComboBox::ClearItems() {
    SendMsg(CB_RESETCONTENT);
    items_.clear();
}

void TComboBox::AddItem(const std::string& text) {
    const LRESULT result = SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (result == CB_ERR || result == CB_ERRSPACE)
        throw shared::EOutOfResources("Unable to insert a line");
    items_.push_back(text);
}

bool TComboBox::CompleteTypedChars(const std::string& typed) {
    const std::optional<std::string> before = TextBeforeSelection(edit_);
    if (!before)
        return false;
    auto completion = CompleteTyped(*before, static_cast<int>(before->size()), typed, Items(),
                                    shared::IsSystemLeadByte);
    if (!completion)
        return false;
    SendMsg(CB_SETCURSEL, static_cast<WPARAM>(completion->itemIndex));
    SetWindowTextA(edit_, completion->text.c_str());
    SendMessageA(edit_, EM_SETSEL, EditPosition(edit_, completion->text, completion->selStart),
                 static_cast<LPARAM>(EditPosition(edit_, completion->text, completion->selEnd)));
    return true;
}

LRESULT TComboBox::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR) {
        // A character without an ANSI form is typed as it is; it matches no entry. An ANSI
        // edit gets a double-byte character as two messages, typed as they come.
        const std::string typed = TypedAnsiChars(hwnd, wParam);
        const bool trailByte = leadPending_;
        leadPending_ = !trailByte && typed.size() == 1 && shared::IsSystemLeadByte(typed[0]);
        const bool halfCharacter = trailByte || leadPending_;
        if (!typed.empty() && !halfCharacter && CompleteTypedChars(typed))
            return 0;
    }
    return CallDefault(hwnd, msg, wParam, lParam);
}

} // namespace controls
