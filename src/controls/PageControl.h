// Tabbed pages as property sheets build them: the tab strip, and one container per page laid
// over its display area as the strip's sibling. The keyboard thus stops on the tabs and then
// walks into the active page, and Left and Right on the focused tabs switch pages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "controls/Controls.h"

namespace controls {

class TPageControl : public TControl {
public:
    using TControl::TControl;
    void Create(const TCreateArgs& args) override;
    // Adds a tab for a page made beside the strip; the first page added is the active one.
    void AddPage(TControl& page, const std::string& caption);
    int ActivePage() const { return static_cast<int>(SendMsg(TCM_GETCURSEL)); }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    void SetActivePage(int index);
    // The next page, or the one before, wrapping round; the focus follows into the page when
    // it was inside the one that goes.
    void StepPage(bool forward);
    void SetBounds(const Rect& r) override;
    LRESULT OnNotify(NMHDR* hdr) override;

private:
    void LayoutPages();

    std::vector<TControl*> pages_;
};

} // namespace controls
