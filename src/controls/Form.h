// A top-level window of ours: the close sequence, minimising through the application,
// and the keyboard focus kept across deactivation.
#pragma once

#include "controls/Window.h"

namespace controls {

enum class TCloseAction { caNone, caHide };

// What a form needs of the application frame that owns it. The frame implements it and
// hands itself to the forms it builds.
class TFormHost {
public:
    // The hidden window that owns every form and carries the taskbar button.
    virtual HWND OwnerWindow() const = 0;
    virtual HICON AppIcon() const = 0;
    virtual void Minimize() = 0;
    virtual void RequestQuit() = 0;

protected:
    TFormHost() = default;
    TFormHost(const TFormHost&) = default;
    TFormHost& operator=(const TFormHost&) = default;
    ~TFormHost() = default;
};

class TForm : public TCustomWindow {
public:
    // Creates the system window and every control of the design; the window stays hidden.
    virtual void Build(TFormHost& host) = 0;
    virtual void FormCreate() {}
    virtual void FormClose(TCloseAction& /*action*/) {}

    // A key message for this window, before the dialog manager sees it; true when taken.
    virtual bool PreTranslateKey(const MSG& /*msg*/) { return false; }

    // Closes as the close box does: FormClose, then the application quits.
    void Close();
    void SaveFocus();
    void RestoreFocus();
    void ShowCentred(int showCommand);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    TFormHost* host_ = nullptr;
    // The controls of the form's design enter themselves here as its members are made.
    TControlRegister designed_;

private:
    HWND savedFocus_ = nullptr;
};

} // namespace controls
