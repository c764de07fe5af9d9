// The editable, unsorted drop-down combo box that completes typed text from its list.
#pragma once

#include <string>
#include <vector>

#include "gui/Form1Design.h"
#include "gui/Window.h"

namespace gui {

class TComboBox : public TSubclassedControl {
public:
    using TSubclassedControl::TSubclassedControl;
    // Set before Create: the list's item height in pixels and how many items it shows.
    int itemHeight = kListItemHeight;
    int visibleItems = kListVisibleItems;

    void Create(const TCreateArgs& args) override;
    void OnCommand(WORD code) override;
    // The field's rectangle; the window also holds the drop-down list below it.
    void SetBounds(const Rect& r) override;

    // The drop-down list's items, as this object put them there: read without asking the
    // window, which costs a round trip each under Wine.
    int Count() const { return static_cast<int>(items_.size()); }
    std::string Item(int index) const;
    const std::vector<std::string>& Items() const { return items_; }
    void ClearItems();
    // Appends at the end; raises EOutOfResources when the list refuses the item.
    void AddItem(const std::string& text);
    HWND EditHandle() const { return edit_; }

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int WindowHeight(int fieldHeight) const;
    bool CompleteTypedChars(const std::string& typed);
    HWND edit_ = nullptr;
    std::vector<std::string> items_;
    bool leadPending_ = false; // an ANSI edit got the first byte of a character
};

} // namespace gui
