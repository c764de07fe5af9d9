// One small class per standard control kind. Each owns its HWND; events are callback
// members that the owning window sets.
#pragma once

#include "gui/Window.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace gui {

class TButton : public TControl {
public:
    void Create(HWND parent, int id, const std::string& caption, const Rect& r);
    void Click() { SendMsg(BM_CLICK); }
    std::function<void()> onClick;
    void OnCommand(WORD code) override;
};

class TCheckBox : public TControl {
public:
    void Create(HWND parent, int id, const std::string& caption, const Rect& r);
    bool Checked() const { return SendMsg(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) { SendMsg(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    // Kept with the control but never shown: hints are off for the whole window.
    std::string hint;
};

class TLabel : public TControl {
public:
    void Create(HWND parent, int id, const std::string& caption, const Rect& r);
    // Measures the caption in the label's font, as an auto-sized label would be.
    SIZE TextExtent() const;
    std::function<void()> onClick;
    // CLR_INVALID: the system's text colour.
    COLORREF textColor = CLR_INVALID;
    void OnCommand(WORD code) override;
    HBRUSH OnCtlColor(HDC dc) override;
};

class TEdit : public TControl {
public:
    void Create(HWND parent, int id, const Rect& r);
};

// A sunken horizontal line.
class TBevel : public TControl {
public:
    void Create(HWND parent, int id, const Rect& r);
};

// Editable, unsorted drop-down combo box that completes typed text from its list.
class TComboBox : public TSubclassedControl {
public:
    void Create(HWND parent, int id, const Rect& r, int itemHeight, int visibleItems);
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
    bool CompleteTypedChar(char typed);
    HWND edit_ = nullptr;
};

// Tabbed pages: the tab strip and one container per page, laid over its display area.
class TPageControl : public TControl {
public:
    void Create(HWND parent, int id, const Rect& r);
    TPanel& AddPage(int id, const std::string& caption);
    int ActivePage() const { return static_cast<int>(SendMsg(TCM_GETCURSEL)); }
    void SetActivePage(int index);
    TPanel& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
    void LayoutPages();
    LRESULT OnNotify(NMHDR* hdr) override;

private:
    std::vector<std::unique_ptr<TPanel>> pages_;
};

} // namespace gui
