// The one way a control of a standard class sees its messages first: our procedure put before
// the window's own (GWLP_WNDPROC), passing on with CallWindowProc. It finds its object as the
// binding does, by the window's user data checked against the bound objects. Not comctl32's
// subclass helpers: they keep their chain in a window property, and under Wine every message
// to such a window would cost a round trip to the window server to look it up.
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "controls/Guarded.h"
#include "controls/Window.h"
#include "shared/System.h"

namespace controls {

namespace {

LRESULT CallChained(WNDPROC previous, bool unicode, HWND hwnd, UINT msg, WPARAM wParam,
                    LPARAM lParam) {
    return unicode ? CallWindowProcW(previous, hwnd, msg, wParam, lParam)
                   : CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

// The procedure of the window's class, for a message whose subclass chain is lost.
LRESULT CallClassProc(bool unicode, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return unicode
               ? CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)),
                                 hwnd, msg, wParam, lParam)
               : CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)),
                                 hwnd, msg, wParam, lParam);
}

LONG_PTR Procedure(HWND hwnd, bool unicode) {
    return unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

// The procedure before; 0 when the window refuses the new one.
LONG_PTR SetProcedure(HWND hwnd, bool unicode, LONG_PTR procedure) {
    return unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, procedure)
                   : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, procedure);
}

} // namespace

template <bool Unicode>
LRESULT CALLBACK TControl::StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TControl* self = BoundObject(hwnd);
    TChain* chain = self ? self->ChainOf(hwnd) : nullptr;
    // Only when a procedure put before ours kept ours in the chain after the object went: the
    // message still reaches the window's class.
    if (!chain)
        return CallClassProc(Unicode, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        const TChain last = *chain;
        *chain = {};
        return CallChained(last.previous, last.unicode, hwnd, msg, wParam, lParam);
    }
    if (const LRESULT answer = self->ReaderAnswer(hwnd, msg, wParam, lParam))
        return answer;
    return Guarded([&] { return self->SubclassProc(hwnd, msg, wParam, lParam); });
}

void TControl::Subclass(HWND hwnd) {
    if (Subclassed(hwnd))
        return;
    TChain* free = ChainOf(nullptr);
    if (!free)
        throw std::logic_error("A control subclasses its own window and one inside it only");
    // A window inside the control finds this object as the control's own does: by its user
    // data, which no one else may hold.
    const auto self = reinterpret_cast<LONG_PTR>(this);
    if (hwnd != hwnd_) {
        const LONG_PTR holder = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (holder != 0 && holder != self)
            throw std::runtime_error("Cannot subclass a control: its user data is taken");
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, self);
    }
    // In the window's own character set: an ANSI procedure would make a Unicode window an ANSI
    // one, whose edit then counts positions in UTF-16 units but gets characters as bytes.
    const bool unicode = IsWindowUnicode(hwnd) != FALSE;
    *free = {hwnd, nullptr, unicode};
    const LONG_PTR previous = SetProcedure(hwnd, unicode, OurProcedure(unicode));
    if (!previous) {
        const DWORD error = GetLastError();
        *free = {};
        if (hwnd != hwnd_)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        throw std::runtime_error("Cannot subclass a control: " + shared::SystemErrorText(error));
    }
    free->previous = reinterpret_cast<WNDPROC>(previous);
}

LONG_PTR TControl::OurProcedure(bool unicode) {
    return unicode ? reinterpret_cast<LONG_PTR>(&StaticSubclassProc<true>)
                   : reinterpret_cast<LONG_PTR>(&StaticSubclassProc<false>);
}

void TControl::Unhook() noexcept {
    for (TChain& chain : chains_) {
        // Under a procedure put before ours later, ours stays and passes on to the window's
        // class.
        if (chain.hwnd && IsWindow(chain.hwnd)) {
            if (Procedure(chain.hwnd, chain.unicode) == OurProcedure(chain.unicode))
                SetProcedure(chain.hwnd, chain.unicode, reinterpret_cast<LONG_PTR>(chain.previous));
            if (chain.hwnd != hwnd_)
                SetWindowLongPtrA(chain.hwnd, GWLP_USERDATA, 0);
        }
        chain = {};
    }
}

const TControl::TChain* TControl::ChainOf(HWND hwnd) const {
    const auto at = std::find_if(chains_.begin(), chains_.end(),
                                 [hwnd](const TChain& chain) { return chain.hwnd == hwnd; });
    return at == chains_.end() ? nullptr : &*at;
}

bool TControl::Subclassed(HWND hwnd) const {
    return hwnd && ChainOf(hwnd);
}

LRESULT TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallDefault(hwnd, msg, wParam, lParam);
}

LRESULT TControl::CallDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const {
    const TChain* chain = ChainOf(hwnd);
    if (!chain)
        return CallClassProc(IsWindowUnicode(hwnd) != FALSE, hwnd, msg, wParam, lParam);
    return CallChained(chain->previous, chain->unicode, hwnd, msg, wParam, lParam);
}

} // namespace controls
