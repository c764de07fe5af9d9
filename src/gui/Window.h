// Thin wrappers over Win32 windows. A TControl is the object behind one HWND; WM_COMMAND,
// WM_NOTIFY and WM_CTLCOLOR* are routed back to the control that sent them, so whoever owns
// a control wires its behaviour through callback members in one place.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "gui/Layout.h"

#include <functional>
#include <string>

namespace gui {

// Owns a GDI object (font, brush) and deletes it.
template <typename T> class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(T handle) : handle_(handle) {}
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }
    void Reset(T handle = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }
    T Get() const { return handle_; }

private:
    T handle_ = nullptr;
};
using TFont = TGdiObject<HFONT>;

// Runs a handler and stops anything it throws at the Win32 boundary: the error goes to the
// application's error display and Windows sees the message as handled.
template <typename F> LRESULT Guarded(F&& handler) noexcept;

// The object behind one window. Non-copyable; the HWND is destroyed with the object.
class TControl {
public:
    TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    LRESULT SendMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, msg, wParam, lParam);
    }
    std::string Text() const;
    void SetText(const std::string& text);
    // The control's own visibility, whether or not its parent is shown.
    bool Visible() const { return (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
    void SetVisible(bool visible);
    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    void SetBounds(const Rect& r);
    Rect Bounds() const; // in the parent's client coordinates
    void SetFont(HFONT font) { SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
    void Focus() { SetFocus(hwnd_); }

    // The control object behind a window of ours, or null for any other window.
    static TControl* FromHandle(HWND hwnd);

    // Notifications routed back from the parent's window procedure.
    virtual void OnCommand(WORD /*code*/) {}
    virtual LRESULT OnNotify(NMHDR* /*hdr*/) { return 0; }
    virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }

protected:
    // Creates a standard or registered window and ties it to this object.
    void CreateHandle(DWORD exStyle, const char* className, const char* text, DWORD style,
                      const Rect& r, HWND parent, int id);
    void Bind(HWND hwnd);
    static HWND CreateOrThrow(DWORD exStyle, const char* className, const char* text, DWORD style,
                              const Rect& r, HWND parent, int id, void* param);

    HWND hwnd_ = nullptr;
};

// A control of a standard window class whose messages we also want to see first.
class TSubclassedControl : public TControl {
public:
    ~TSubclassedControl() override;

protected:
    void Subclass(HWND hwnd);
    virtual LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                               UINT_PTR id, DWORD_PTR refData);
    HWND subclassed_ = nullptr;
};

// A window of a class of our own, with a window procedure that dispatches to members.
class TCustomWindow : public TControl {
protected:
    // Registers the class once per process; background is the button face.
    static void RegisterWindowClass(const char* className, UINT classStyle = 0,
                                    HICON icon = nullptr);
    // Creates the window; `this` arrives in WM_NCCREATE, so every message reaches WndProc.
    void CreateCustom(DWORD exStyle, const char* className, const char* text, DWORD style,
                      const Rect& r, HWND parent, int idOrMenu);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Routes WM_COMMAND/WM_NOTIFY/WM_CTLCOLOR* to the sending control; true when handled.
    static bool RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A plain container without a border; it passes its children's notifications back to them.
class TPanel : public TCustomWindow {
public:
    void Create(HWND parent, int id, const Rect& r, bool visible = true);
};

} // namespace gui

namespace gui {
// The ANSI bytes of a WM_CHAR. With common controls 6 an edit is a Unicode window even when
// made through the ANSI API, and a subclass procedure then sees UTF-16. Empty when the
// character has no ANSI form.
std::string TypedAnsiChars(HWND hwnd, WPARAM wParam);
} // namespace gui

void ReportEscapedError() noexcept; // the application's error display (src/app)

template <typename F> LRESULT gui::Guarded(F&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}
