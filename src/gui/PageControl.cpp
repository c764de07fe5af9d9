#include "gui/PageControl.h"

#include <commctrl.h>

#include <stdexcept>

namespace gui {

void TPageControl::Create(const TCreateArgs& args) {
    // The pages are children of the tab strip, so tabbing walks from the strip into them.
    CreateHandle(WS_EX_CONTROLPARENT, WC_TABCONTROLA,
                 WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_CLIPCHILDREN, args);
}

void TPageControl::AddPage(TPanel& page, const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    const auto index = static_cast<WPARAM>(pages_.size());
    if (SendMsg(TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)) == -1)
        throw std::runtime_error("Cannot add the page " + caption);
    pages_.push_back(&page);
    LayoutPages();
}

void TPageControl::SetBounds(const Rect& r) {
    TControl::SetBounds(r);
    LayoutPages();
}

void TPageControl::LayoutPages() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    SendMsg(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    for (TPanel* page : pages_)
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
