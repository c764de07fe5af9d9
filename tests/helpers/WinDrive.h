// Driving windows from a test or benchmark program, in the same process or another one:
// waiting, finding windows, sending messages with a timeout, window texts of any length,
// and the system's dialog boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace windrive {

// Default wait for anything a program should do promptly.
constexpr DWORD kWaitTimeoutMs = 20000;
// Default wait for one sent message.
constexpr DWORD kSendTimeoutMs = 5000;

// Polls until the predicate holds or the time is up; returns its last answer, asked once
// more after the deadline.
bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs = kWaitTimeoutMs,
               DWORD pollMs = 15);

// The process's first top-level window of that class (and visible, if asked), or null.
HWND FindTopLevelWindow(DWORD pid, const char* className, bool mustBeVisible = true);
// The visible dialog box (class #32770) among the thread's top-level windows, or null.
HWND FindThreadDialog(DWORD threadId);
// First descendant of parent with that control id (controls sit in panels and pages).
HWND FindChildById(HWND parent, int id);
// A window's rectangle on the screen, and its client area (left and top 0); empty when the
// window is gone.
inline RECT WindowRectOf(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}
inline RECT ClientRectOf(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    return rc;
}
// Every window of the process, top-level and child: the USER objects Wine lets us count.
int WindowCount(DWORD pid);

// Sends with a timeout, so a hung program fails the caller instead of wedging it. The
// answer, or nothing when the message was not taken in time.
std::optional<LRESULT> TrySend(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                               DWORD timeoutMs = kSendTimeoutMs, UINT flags = SMTO_ABORTIFHUNG);
// The same, 0 for no answer; SendW through the wide entry point.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs = kSendTimeoutMs);
LRESULT SendW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs = kSendTimeoutMs);

// Window text of any length through WM_GETTEXT / WM_SETTEXT; works across processes.
std::string GetText(HWND hwnd, DWORD timeoutMs = kSendTimeoutMs);
// False when the window did not take the text in time.
bool SetText(HWND hwnd, const std::string& text, DWORD timeoutMs = kSendTimeoutMs);

// Presses the dialog's button with that id, posted as the button's own click reports it.
void Press(HWND dialog, int id);
// The save dialog's file name field: a combo box in the Explorer layout, an edit in others.
HWND FileNameField(HWND dialog);
// Chooses an open or save dialog's file type as the user would, with the notifications the
// dialog acts on.
void ChooseFileType(HWND dialog, int index);

} // namespace windrive
