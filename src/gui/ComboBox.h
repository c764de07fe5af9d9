// The editable, unsorted drop-down combo box that completes typed text from its list.
#pragma once

#include <string>
#include <vector>

#include "gui/Window.h"

namespace gui {

class TComboBox : public TSubclassedControl {
public:
    // Set before Create: the list's item height in pixels and how many items it shows.
    int itemHeight = 13;
    int visibleItems = 8;

    void Create(const TCreateArgs& args) override;
    // The field's rectangle; the window also holds the drop-down list below it.
    void SetBounds(const Rect& r) override;

    int Count() const { return static_cast<int>(SendMsg(CB_GETCOUNT)); }
    std::string Item(int index) const;
    std::vector<std::string> Items() const;
    void ClearItems() { SendMsg(CB_RESETCONTENT); }
    // Appends at the end; raises EOutOfResources when the list refuses the item.
    void AddItem(const std::string& text);
    HWND EditHandle() const { return edit_; }

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int WindowHeight(int fieldHeight) const;
    bool CompleteTypedChars(const std::string& typed);
    HWND edit_ = nullptr;
    bool leadPending_ = false; // an ANSI edit got the first byte of a character
};

} // namespace gui
