// The editable, unsorted drop-down combo box that completes typed text from its list.
#pragma once

#include <string>
#include <vector>

#include "controls/Window.h"

namespace controls {

// The drop-down list of every combo box: the item height at 96 dpi and how many items it
// shows at once.
inline constexpr int kListItemHeight = 13;
inline constexpr int kListVisibleItems = 8;

class TComboBox : public TControl {
public:
    using TControl::TControl;
    // Set before Create: the list's item height in pixels and how many items it shows.
    int itemHeight = kListItemHeight;
    int visibleItems = kListVisibleItems;

    void Create(const TCreateArgs& args) override;
    void OnCommand(WORD code) override;
    // The field's rectangle; the window also holds the drop-down list below it.
    void SetBounds(const Rect& r) override;
    // The list's items grow with the font.
    void SetDpi(int dpi) override;
    // A new font sets the field's height anew; it is kept as laid out. The field takes the
    // height it was made with when its font is first set.
    void SetFont(HFONT font, bool redraw = true) override;

    // The drop-down list's items, as this object put them there: read without asking the
    // window, which costs a round trip each under Wine.
    int Count() const { return static_cast<int>(items_.size()); }
    std::string Item(int index) const;
    const std::vector<std::string>& Items() const { return items_; }
    void ClearItems();
    // Appends at the end; raises EOutOfResources when the list refuses the item.
    void AddItem(const std::string& text);
    HWND EditHandle() const { return edit_; }
    void SelectAll() override { SendMsg(CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

protected:
    LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    int WindowHeight(int fieldHeight) const;
    // The selection field takes its height from the font, unless told otherwise: made as tall
    // as the design says, it stands level with the "..." button beside it at every DPI.
    void FitField(int height);
    bool CompleteTypedChars(const std::string& typed);
    HWND edit_ = nullptr;
    int fieldHeight_ = 0; // as laid out
    std::vector<std::string> items_;
    bool leadPending_ = false; // an ANSI edit got the first byte of a character
};

} // namespace controls
