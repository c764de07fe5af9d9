// Thin wrappers over Win32 windows. A TControl is the object behind one HWND; WM_COMMAND,
// WM_NOTIFY and WM_CTLCOLOR* are routed back to the control that sent them, so whoever owns
// a control wires its behaviour through callback members in one place.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/Accessible.h"
#include "controls/rules/Layout.h"
#include "controls/WindowStyles.h"

namespace controls {

class TControl;

// Where the controls of a form's design enter themselves, each under its row's id, as they are
// constructed: the design table, not a list kept by hand, leads from a row to its member.
class TControlRegister {
public:
    void Add(int id, TControl& control) { controls_.emplace_back(id, &control); }
    // The control of that id, or null.
    TControl* Find(int id) const {
        for (const auto& [controlId, control] : controls_)
            if (controlId == id)
                return control;
        return nullptr;
    }

private:
    std::vector<std::pair<int, TControl*>> controls_;
};

// Where and how a control is made: its parent, child id, text and rectangle in the parent's
// client area.
struct TCreateArgs {
    HWND parent = nullptr;
    int id = 0;
    const char* text = "";
    Rect bounds;
    bool visible = true;
};

// What a field holds as the user left it; each kind of field fills what it has.
struct TFieldValue {
    // Nothing when the text holds a character the ANSI code page cannot represent.
    std::optional<std::string> text;
    bool checked = false;
    std::int32_t number = 0;
};

// The object behind one window. Non-copyable; the HWND is destroyed with the object.
class TControl {
public:
    TControl() = default;
    // A control of a form's design, entered in the form's register under its row's id.
    TControl(TControlRegister& designed, int id) { designed.Add(id, *this); }
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;
    virtual ~TControl();

    // Makes the window; raises an error when the system refuses it.
    virtual void Create(const TCreateArgs& args) = 0;

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    int Id() const { return GetDlgCtrlID(hwnd_); }

    LRESULT SendMsg(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(hwnd_, msg, wParam, lParam);
    }
    // A control whose window is made later holds its text until then, and makes its window
    // with it; a window that does not exist is neither visible nor enabled.
    std::string Text() const;
    // The text as the user sees it; nothing when it holds a character the ANSI code page
    // cannot represent, which Text() would have changed into another.
    std::optional<std::string> ExactText() const;
    void SetText(const std::string& text);
    // What the field holds: its exact text, unless its kind holds something else.
    virtual TFieldValue FieldValue() const { return {ExactText()}; }
    // The control's own visibility, whether or not its parent is shown.
    bool Visible() const {
        return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void SetVisible(bool visible);
    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    virtual void SetBounds(const Rect& r);
    Rect Bounds() const; // in the parent's client coordinates
    // Redrawn at once only when asked: a window not yet shown paints with it anyway.
    virtual void SetFont(HFONT font, bool redraw = true) {
        SendMsg(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    void Focus() { SetFocus(hwnd_); }
    // Selects all of a text field's text; other kinds have none.
    virtual void SelectAll() {}
    // The DPI of the monitor the window is on, for what a control scales beyond its rectangle
    // and font; set before Create and whenever it changes.
    virtual void SetDpi(int /*dpi*/) {}
    // What a screen reader hears for the control, where its caption says too little; role:
    // a ROLE_SYSTEM_ value, or 0 for the standard one. Takes effect once the window exists.
    virtual void SetAccessibleName(const std::string& name, long role = 0);

    // The control object behind a window of ours, or null for any other window.
    static TControl* FromHandle(HWND hwnd);

    // Notifications routed back from the parent's window procedure.
    virtual void OnCommand(WORD /*code*/) {}
    virtual LRESULT OnNotify(NMHDR* /*hdr*/) { return 0; }
    virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }

protected:
    // Creates a window of a standard or registered class and ties it to this object.
    void CreateHandle(DWORD exStyle, const char* className, DWORD style, const TCreateArgs& args);
    void CreateHandle(const TWindowStyle& kind, const TCreateArgs& args) {
        CreateHandle(kind.exStyle, kind.className, kind.style, args);
    }
    // Ties the window to this object, and unties it; false when there is no memory to tie it.
    bool Bind(HWND hwnd) noexcept;
    void Unbind() noexcept;
    HWND CreateOrThrow(DWORD exStyle, const char* className, DWORD style, const TCreateArgs& args,
                       void* param);

    // Puts our procedure before the one of a window of a standard class: the control's own or
    // one inside it (a combo box's edit); the window's messages then reach SubclassProc first.
    // Once per window; raises an error when the window refuses it.
    void Subclass(HWND hwnd);
    virtual LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The window's procedure from before ours.
    LRESULT CallDefault(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;
    // True for a window of our own class, whose procedure answers a reader itself.
    virtual bool OwnClass() const { return false; }
    // A reader's question (WM_GETOBJECT) to the control's window answered with its name; 0
    // for every other message, and where the window's own procedure answers.
    LRESULT ReaderAnswer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const noexcept;

    HWND hwnd_ = nullptr;

private:
    // A subclassed window and the procedure it had before ours, called with the same
    // character set so that a Unicode window stays one.
    struct TChain {
        HWND hwnd = nullptr;
        WNDPROC previous = nullptr;
        bool unicode = false;
    };
    // The object whose address the window's user data holds, if it is one of the bound ones.
    static TControl* BoundObject(HWND hwnd);
    // The chain of that window; of none, the first one free.
    const TChain* ChainOf(HWND hwnd) const;
    bool Subclassed(HWND hwnd) const;
    TChain* ChainOf(HWND hwnd) { return const_cast<TChain*>(std::as_const(*this).ChainOf(hwnd)); }
    // Takes our procedure out of each chain it heads.
    void Unhook() noexcept;
    static LONG_PTR OurProcedure(bool unicode);
    template <bool Unicode>
    static LRESULT CALLBACK StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::string heldText_;
    bool textHeld_ = false;
    std::unique_ptr<TAccessibleName> accessibleName_;
    // The control's own window and one inside it.
    std::array<TChain, 2> chains_{};
};

// A window of a class of our own, with a window procedure that dispatches to members.
class TCustomWindow : public TControl {
public:
    using TControl::TControl;

protected:
    bool OwnClass() const override { return true; }
    // Registers the class once per process; background is the button face.
    static void RegisterWindowClass(const char* className, HICON icon = nullptr);
    // Creates the window; `this` arrives in WM_NCCREATE, so every message reaches WndProc.
    void CreateCustom(DWORD exStyle, const char* className, DWORD style, const TCreateArgs& args);
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Routes WM_COMMAND/WM_NOTIFY/WM_CTLCOLOR* to the sending control; true when handled.
    static bool RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace controls
