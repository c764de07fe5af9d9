#include "gui/Window.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace gui {

namespace {
// Standard controls leave GWLP_USERDATA to the application, but a property cannot be
// mistaken for somebody else's data on windows we did not create.
const char kControlProp[] = "Veskmaker.Control";
} // namespace

TControl::~TControl() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropA(hwnd_, kControlProp);
        DestroyWindow(hwnd_);
    }
}

TControl* TControl::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<TControl*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

void TControl::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kControlProp, this);
}

HWND TControl::CreateOrThrow(DWORD exStyle, const char* className, const char* text, DWORD style,
                             const Rect& r, HWND parent, int id, void* param) {
    HWND hwnd = CreateWindowExA(exStyle, className, text, style, r.left, r.top, r.width, r.height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), param);
    if (!hwnd)
        throw std::runtime_error(std::string("Cannot create a window of class ") + className +
                                 " (error " + std::to_string(GetLastError()) + ")");
    return hwnd;
}

void TControl::CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style,
                            const Rect& r, HWND parent, int id) {
    Bind(CreateOrThrow(exStyle, className, text, style, r, parent, id, nullptr));
}

std::string TControl::Text() const {
    int length = GetWindowTextLengthA(hwnd_);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void TControl::SetText(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
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

TSubclassedControl::~TSubclassedControl() {
    if (subclassed_ && IsWindow(subclassed_))
        RemoveWindowSubclass(subclassed_, StaticSubclassProc, reinterpret_cast<UINT_PTR>(this));
}

void TSubclassedControl::Subclass(HWND hwnd) {
    subclassed_ = hwnd;
    SetWindowSubclass(hwnd, StaticSubclassProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT TSubclassedControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallDefault(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TSubclassedControl::StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam,
                                                        LPARAM lParam, UINT_PTR,
                                                        DWORD_PTR refData) {
    auto* self = reinterpret_cast<TSubclassedControl*>(refData);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, StaticSubclassProc, reinterpret_cast<UINT_PTR>(self));
        self->subclassed_ = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return Guarded([&] { return self->SubclassProc(hwnd, msg, wParam, lParam); });
}

void TCustomWindow::RegisterWindowClass(const char* className, UINT classStyle, HICON icon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing))
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc))
        throw std::runtime_error(std::string("Cannot register the window class ") + className);
}

void TCustomWindow::CreateCustom(DWORD exStyle, const char* className, const char* text,
                                 DWORD style, const Rect& r, HWND parent, int idOrMenu) {
    // `this` reaches WM_NCCREATE, which binds the window before any other message.
    CreateOrThrow(exStyle, className, text, style, r, parent, idOrMenu, this);
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
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (TControl* child = FromHandle(hdr->hwndFrom)) {
            result = child->OnNotify(hdr);
            return true;
        }
        return false;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
            if (HBRUSH brush = child->OnCtlColor(reinterpret_cast<HDC>(wParam))) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
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
        self->Bind(hwnd);
    }
    auto* self = static_cast<TCustomWindow*>(FromHandle(hwnd));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kControlProp);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return Guarded([&] { return self->WndProc(msg, wParam, lParam); });
}

std::string TypedAnsiChars(HWND hwnd, WPARAM wParam) {
    if (!IsWindowUnicode(hwnd))
        return std::string(1, static_cast<char>(wParam));
    auto wide = static_cast<wchar_t>(wParam);
    if (wide < 0x80)
        return std::string(1, static_cast<char>(wide));
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? std::string(bytes, static_cast<size_t>(n)) : std::string();
}

void TPanel::Create(HWND parent, int id, const Rect& r, bool visible) {
    RegisterWindowClass("TPanel");
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    // Tab and arrow-key navigation must walk into the panel's children.
    CreateCustom(WS_EX_CONTROLPARENT, "TPanel", "", style, r, parent, id);
}

} // namespace gui
