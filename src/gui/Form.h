// A top-level window of ours: the close sequence, minimising through the application,
// and the keyboard focus kept across deactivation.
#pragma once

#include "gui/Window.h"

namespace gui {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm : public TCustomWindow {
public:
    // Creates the system window and every control of the design; the window stays hidden.
    virtual void Build() = 0;
    virtual void FormCreate() {}
    virtual void FormClose(TCloseAction& /*action*/) {}

    // Closes as the close box does: FormClose, then the application quits.
    void Close();
    void SaveFocus();
    void RestoreFocus();
    void ShowCentred(int showCommand);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND savedFocus_ = nullptr;
};

} // namespace gui
