// Answering the dialogs and message boxes a program shows, as a user would: find the visible
// dialog of a thread or of a process, note what it shows, act on it (press OK unless told
// otherwise) and wait until it is gone. One way for every suite: in process, where the code
// under test blocks in the dialog and a thread of the test's answers it, and from outside.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "helpers/WinDrive.h"
#include "helpers/WinThread.h"

namespace windrive {

// Whose dialog: one thread's, or any of one process's (an id of 0 leaves that part open).
struct TDialogOwner {
    DWORD threadId = 0;
    DWORD processId = 0;
};
inline TDialogOwner OfThread(DWORD threadId) {
    return {threadId, 0};
}
inline TDialogOwner OfProcess(DWORD processId) {
    return {0, processId};
}

// The visible dialog box (class #32770) of that thread or process, or null.
HWND FindDialog(TDialogOwner whose);

// What the dialog showed, and the state around it, while it was up.
struct TDialogSeen {
    std::string caption;
    std::string text; // a message box's message
    HWND owner = nullptr;
    HWND captureWhileUp = nullptr;     // the mouse capture of the dialog's thread
    bool watchedEnabledWhileUp = true; // so when nothing is watched
    // The action left it up, so it was cancelled.
    bool forced = false;
};

// What is done to the dialog once it has been noted; the two presses a box takes.
using TDialogAction = std::function<void(HWND dialog)>;
void PressOk(HWND dialog);
void PressCancel(HWND dialog);

// Waits for a dialog, notes it (and whether `watched` is enabled), acts on it and waits until
// it is gone; nothing when none came in time.
std::optional<TDialogSeen> AnswerDialog(TDialogOwner whose, const TDialogAction& act = PressOk,
                                        DWORD timeoutMs = kWaitTimeoutMs, HWND watched = nullptr);

// Answers every dialog of the thread that makes it, from a thread of its own, for as long as
// it lives: the code under test shows them modally, so the test's thread cannot.
class TDialogAnswerer {
public:
    explicit TDialogAnswerer(TDialogAction act = PressOk, HWND watched = nullptr);
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
    ~TDialogAnswerer();

    // Blocks until a dialog has been answered and has gone, or the deadline passed.
    bool Wait(DWORD timeoutMs = kWaitTimeoutMs) const;
    // Dialogs seen so far, counted before they are acted on: the code under test goes on as
    // soon as one goes, and may look at the count then.
    int Count() const { return count_; }
    // The last one seen; read it once Wait or Count says there is one.
    const TDialogSeen& Seen() const { return seen_; }

private:
    void Run();

    const TDialogOwner whose_;
    const TDialogAction act_;
    const HWND watched_;
    TDialogSeen seen_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::atomic<int> count_{0};
    winproc::TThread worker_; // last: it runs on the members above
};

} // namespace windrive
