#include "DialogAnswerer.h"

#include <utility>

namespace windrive {

namespace {

constexpr DWORD kPollMs = 5;
// How long a dialog may take to go after the action, before it is cancelled.
constexpr DWORD kActionMs = 3000;
// A message box's message: the dialog item the system gives that id.
constexpr int kMessageId = 0xFFFF;

bool WaitGone(HWND dialog, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs,
                     kPollMs);
}

TDialogSeen Note(HWND dialog, HWND watched) {
    TDialogSeen seen;
    seen.caption = GetText(dialog);
    if (HWND message = GetDlgItem(dialog, kMessageId))
        seen.text = GetText(message);
    seen.owner = GetWindow(dialog, GW_OWNER);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info))
        seen.captureWhileUp = info.hwndCapture;
    seen.watchedEnabledWhileUp = !watched || IsWindowEnabled(watched);
    return seen;
}

// Acts, and waits for the dialog to go; false when it had to be cancelled (or, a box that
// takes no Cancel, its first button pressed) so that a failed step cannot hang the run.
bool ActAndWaitGone(HWND dialog, const TDialogAction& act) {
    act(dialog);
    if (WaitGone(dialog, kActionMs))
        return true;
    PressCancel(dialog);
    if (!WaitGone(dialog, kActionMs))
        if (HWND button = FindWindowExA(dialog, nullptr, "Button", nullptr))
            PostMessageA(button, BM_CLICK, 0, 0);
    WaitGone(dialog, kWaitTimeoutMs);
    return false;
}

} // namespace

HWND FindDialog(TDialogOwner whose) {
    return whose.threadId != 0 ? FindThreadDialog(whose.threadId)
                               : FindTopLevelWindow(whose.processId, "#32770", true);
}

void PressOk(HWND dialog) {
    Press(dialog, IDOK);
}

void PressCancel(HWND dialog) {
    Press(dialog, IDCANCEL);
}

std::optional<TDialogSeen> AnswerDialog(TDialogOwner whose, const TDialogAction& act,
                                        DWORD timeoutMs, HWND watched) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindDialog(whose)) != nullptr; }, timeoutMs, kPollMs))
        return std::nullopt;
    TDialogSeen seen = Note(dialog, watched);
    seen.forced = !ActAndWaitGone(dialog, act);
    return seen;
}

TDialogAnswerer::TDialogAnswerer(TDialogAction act, HWND watched)
    : whose_(OfThread(GetCurrentThreadId())), act_(std::move(act)), watched_(watched),
      worker_([this] { Run(); }) {}

TDialogAnswerer::~TDialogAnswerer() {
    stop_ = true;
    worker_.Join();
}

bool TDialogAnswerer::Wait(DWORD timeoutMs) const {
    return WaitUntil([this] { return answered_.load(); }, timeoutMs, kPollMs);
}

void TDialogAnswerer::Run() {
    while (!stop_) {
        const HWND dialog = FindDialog(whose_);
        if (!dialog) {
            Sleep(kPollMs);
            continue;
        }
        seen_ = Note(dialog, watched_);
        ++count_;
        seen_.forced = !ActAndWaitGone(dialog, act_);
        answered_ = true;
    }
}

} // namespace windrive
