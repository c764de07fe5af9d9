#include "controls/Window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "controls/Accessible.h"
#include "controls/AnsiText.h"
#include "controls/Guarded.h"
#include "shared/Handles.h"
#include "shared/System.h"

namespace controls {

namespace {

// The objects tied to windows, in address order. A window's object is kept in its user data,
// which standard controls leave to the application and our own classes are made for: read
// without the round trip to Wine's window server that each look at a property costs. A value
// found there counts only when it is one of these objects, so the user data of a window we
// did not make (a system dialog's) is never taken for one of ours.
std::vector<TControl*>& BoundControls() {
    static std::vector<TControl*> bound;
    return bound;
}

// The icon's small image, as the system would make it for a class registered without one: from
// the resource the icon was loaded from, at the small icon's size, shared; else a copy of the
// icon. Either lives as long as the process, as the classes do.
HICON SmallImageOf(HICON icon) {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    ICONINFOEXA info{};
    info.cbSize = sizeof info;
    if (GetIconInfoExA(icon, &info)) {
        // The call hands out copies of the icon's bitmaps.
        const shared::TGdiObject<HBITMAP> colour(info.hbmColor);
        const shared::TGdiObject<HBITMAP> mask(info.hbmMask);
        const char* name = info.szResName[0] ? info.szResName : MAKEINTRESOURCEA(info.wResID);
        HMODULE module = info.szModName[0] ? GetModuleHandleA(info.szModName) : nullptr;
        if (module && (info.szResName[0] || info.wResID))
            if (auto* small = static_cast<HICON>(
                    LoadImageA(module, name, IMAGE_ICON, width, height, LR_SHARED)))
                return small;
    }
    return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE));
}

// A class's small icon, made once and shared by every class of ours that shows the icon:
// registered without one, each class would get a copy of its own, and under Wine each copy
// costs some thirty round trips to the window server.
HICON SharedSmallIcon(HICON icon) {
    static HICON source = nullptr;
    static HICON small = nullptr;
    if (icon && icon != source) {
        small = SmallImageOf(icon);
        source = icon;
    }
    return icon ? small : nullptr;
}

[[noreturn]] void ThrowLastError(const std::string& what) {
    throw std::runtime_error(what + ": " + shared::SystemErrorText(GetLastError()));
}
} // namespace

TControl::~TControl() {
    accessibleName_.reset();
    // Our procedure steps out of the chain while the object can still be found, so that the
    // window's last messages go straight to its own.
    Unhook();
    // Untied also when its parent destroyed the window already: no address of a gone object
    // may stay among the bound ones.
    Unbind();
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

void TControl::SetAccessibleName(const std::string& name, long role) {
    if (!hwnd_)
        return;
    accessibleName_ = std::make_unique<TAccessibleName>(name, role);
    // A standard control hears the question in the one procedure we put before its own.
    if (!OwnClass())
        Subclass(hwnd_);
}

LRESULT TControl::ReaderAnswer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const noexcept {
    if (msg != WM_GETOBJECT || hwnd != hwnd_ || !accessibleName_)
        return 0;
    return accessibleName_->Answer(hwnd, wParam, lParam);
}

TControl* TControl::BoundObject(HWND hwnd) {
    auto* candidate = reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    const std::vector<TControl*>& bound = BoundControls();
    return candidate && std::binary_search(bound.begin(), bound.end(), candidate) ? candidate
                                                                                  : nullptr;
}

TControl* TControl::FromHandle(HWND hwnd) {
    TControl* candidate = hwnd ? BoundObject(hwnd) : nullptr;
    return candidate && candidate->hwnd_ == hwnd ? candidate : nullptr;
}

bool TControl::Bind(HWND hwnd) noexcept {
    hwnd_ = hwnd;
    try {
        std::vector<TControl*>& bound = BoundControls();
        const auto at = std::lower_bound(bound.begin(), bound.end(), this);
        if (at == bound.end() || *at != this)
            bound.insert(at, this);
    } catch (...) {
        return false; // out of memory: the window cannot be tied to its object
    }
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void TControl::Unbind() noexcept {
    std::vector<TControl*>& bound = BoundControls();
    const auto at = std::lower_bound(bound.begin(), bound.end(), this);
    if (at != bound.end() && *at == this)
        bound.erase(at);
    if (hwnd_ && IsWindow(hwnd_) &&
        GetWindowLongPtrA(hwnd_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
}

HWND TControl::CreateOrThrow(DWORD exStyle, const char* className, DWORD style,
                             const TCreateArgs& args, void* param) {
    const Rect& r = args.bounds;
    const char* text = textHeld_ ? heldText_.c_str() : args.text;
    HWND hwnd = CreateWindowExA(exStyle, className, text, style | (args.visible ? WS_VISIBLE : 0),
                                r.left, r.top, r.width, r.height, args.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                GetModuleHandleA(nullptr), param);
    if (!hwnd)
        ThrowLastError(std::string("Cannot create a window of class ") + className);
    heldText_.clear();
    textHeld_ = false;
    return hwnd;
}

void TControl::CreateHandle(DWORD exStyle, const char* className, DWORD style,
                            const TCreateArgs& args) {
    HWND hwnd = CreateOrThrow(exStyle, className, style, args, nullptr);
    if (!Bind(hwnd)) {
        DestroyWindow(hwnd);
        hwnd_ = nullptr;
        ThrowLastError(std::string("Cannot tie a window of class ") + className +
                       " to its control");
    }
}

std::string TControl::Text() const {
    return hwnd_ ? AnsiWindowText(hwnd_) : heldText_;
}

std::optional<std::string> TControl::ExactText() const {
    // A held text came in as ANSI: it has nothing the code page cannot hold.
    return hwnd_ ? controls::ExactText(hwnd_) : heldText_;
}

void TControl::SetText(const std::string& text) {
    if (hwnd_) {
        SetWindowTextA(hwnd_, text.c_str());
        return;
    }
    heldText_ = text;
    textHeld_ = true;
}

void TControl::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void TControl::SetBounds(const Rect& r) {
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect TControl::Bounds() const {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

void TCustomWindow::RegisterWindowClass(const char* className, HICON icon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing))
        return;
    // No CS_DBLCLKS: a fast second click must be a second press, not a double click.
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = SharedSmallIcon(icon);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc))
        ThrowLastError(std::string("Cannot register the window class ") + className);
}

void TCustomWindow::CreateCustom(DWORD exStyle, const char* className, DWORD style,
                                 const TCreateArgs& args) {
    // `this` reaches WM_NCCREATE, which binds the window before any other message.
    CreateOrThrow(exStyle, className, style, args, this);
}

LRESULT TCustomWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteToChild(msg, wParam, lParam, routed))
        return routed;
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

bool TCustomWindow::RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            child->OnCommand(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_NOTIFY:
        if (TControl* child = FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom)) {
            result = child->OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(child->OnCtlColor(reinterpret_cast<HDC>(wParam)));
            return result != 0;
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK TCustomWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<TCustomWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        // A window that cannot be tied to its object must not come into being.
        if (!self->Bind(hwnd)) {
            self->hwnd_ = nullptr;
            return FALSE;
        }
    }
    // Our own class: its user data is ours, so the object needs no further check.
    auto* self = reinterpret_cast<TCustomWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->Unbind();
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (const LRESULT answer = self->ReaderAnswer(hwnd, msg, wParam, lParam))
        return answer;
    return Guarded([&] { return self->WndProc(msg, wParam, lParam); });
}

} // namespace controls
