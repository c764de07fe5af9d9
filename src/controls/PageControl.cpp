#include "controls/PageControl.h"

#include <stdexcept>

#include "shared/Handles.h"

namespace controls {

void TPageControl::Create(const TCreateArgs& args) {
    CreateHandle(StyleOf(TControlKind::PageControl), args);
}

void TPageControl::AddPage(TControl& page, const std::string& caption) {
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
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT display = client;
    SendMsg(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    // The pages lie below the strip in z-order, so the strip keeps out of their area: it
    // draws its tabs and the frame around them, and the pages show through the hole.
    shared::TGdiObject<HRGN> outside(CreateRectRgnIndirect(&client));
    const shared::TGdiObject<HRGN> hole(CreateRectRgnIndirect(&display));
    if (outside.Get() && hole.Get() &&
        CombineRgn(outside.Get(), outside.Get(), hole.Get(), RGN_DIFF) != ERROR &&
        SetWindowRgn(hwnd_, outside.Get(), TRUE))
        outside.Release(); // the window owns it now
    MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&display), 2);
    for (TControl* page : pages_)
        page->SetBounds({display.left, display.top, display.right - display.left,
                         display.bottom - display.top});
}

void TPageControl::SetActivePage(int index) {
    SendMsg(TCM_SETCURSEL, static_cast<WPARAM>(index));
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->SetVisible(static_cast<int>(i) == index);
}

void TPageControl::StepPage(bool forward) {
    const int count = PageCount();
    if (count == 0)
        return;
    const int current = ActivePage();
    const int next = (current + (forward ? 1 : count - 1)) % count;
    HWND focus = GetFocus();
    const bool focusInPage = current >= 0 && focus && IsChild(*pages_[current], focus);
    SetActivePage(next);
    if (focusInPage) {
        HWND first = GetNextDlgTabItem(*pages_[next], nullptr, FALSE);
        SetFocus(first && IsChild(*pages_[next], first) ? first : hwnd_);
    }
}

LRESULT TPageControl::OnNotify(NMHDR* hdr) {
    if (hdr->code == TCN_SELCHANGE)
        SetActivePage(ActivePage());
    return 0;
}

} // namespace controls
