// Tabbed pages: the tab strip, and one container per page laid over its display area.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "gui/Controls.h"

namespace gui {

class TPageControl : public TControl {
public:
    void Create(const TCreateArgs& args) override;
    // Adds a tab for an existing page; the first page added is the active one.
    void AddPage(TPanel& page, const std::string& caption);
    int ActivePage() const { return static_cast<int>(SendMsg(TCM_GETCURSEL)); }
    void SetActivePage(int index);
    void SetBounds(const Rect& r) override;
    // Lays every page over the display area below the tabs.
    void LayoutPages();
    LRESULT OnNotify(NMHDR* hdr) override;

private:
    std::vector<TPanel*> pages_;
};

} // namespace gui
