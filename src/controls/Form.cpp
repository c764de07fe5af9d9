#include "controls/Form.h"

#include "controls/Guarded.h"
#include "controls/rules/Layout.h"

namespace controls {

void TForm::Close() {
    TCloseAction action = TCloseAction::caHide;
    try {
        FormClose(action);
    } catch (...) {
        // Shown like every error; the program still quits, or a settings file that stays
        // unwritable would trap the user in a window that can never close.
        ReportEscapedError();
    }
    if (action != TCloseAction::caNone && host_)
        host_->RequestQuit();
}

void TForm::SaveFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus))
        savedFocus_ = focus;
}

void TForm::RestoreFocus() {
    if (savedFocus_ && IsWindow(savedFocus_) && IsChild(hwnd_, savedFocus_) &&
        IsWindowVisible(savedFocus_) && IsWindowEnabled(savedFocus_)) {
        SetFocus(savedFocus_);
        return;
    }
    // First activation: the first control of the tab order takes the focus.
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE))
        SetFocus(first);
}

void TForm::ShowCentred(int showCommand) {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    const Point at = CentreOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    rc.right - rc.left, rc.bottom - rc.top);
    // A window made where it is shown needs no move: under Wine each one is a round trip.
    if (at.x != rc.left || at.y != rc.top)
        SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, showCommand);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && host_) {
            host_->Minimize();
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveFocus();
        else if (!HIWORD(wParam)) // not while minimised
            RestoreFocus();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE; // nothing to ask: closing is always allowed
    default:
        break;
    }
    return TCustomWindow::WndProc(msg, wParam, lParam);
}

} // namespace controls
