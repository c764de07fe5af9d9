#include "WinDrive.h"

#include <dlgs.h>

#include <array>
#include <cstring>
#include <utility>

namespace windrive {

namespace {

struct WindowSearch {
    DWORD pid; // 0: any process
    const char* className;
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (search->pid != 0 && pid != search->pid)
        return TRUE;
    if (search->mustBeVisible && !IsWindowVisible(hwnd))
        return TRUE;
    std::array<char, 64> cls{};
    GetClassNameA(hwnd, cls.data(), static_cast<int>(cls.size()));
    if (std::strcmp(cls.data(), search->className) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CountWindow(HWND, LPARAM lp) {
    ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

BOOL CALLBACK CountProcessWindows(HWND hwnd, LPARAM lp) {
    auto* tally = reinterpret_cast<std::pair<DWORD, int>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == tally->first) {
        ++tally->second;
        EnumChildWindows(hwnd, CountWindow, reinterpret_cast<LPARAM>(&tally->second));
    }
    return TRUE;
}

std::optional<LRESULT> SendTimed(bool wide, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                                 DWORD timeoutMs, UINT flags) {
    DWORD_PTR result = 0;
    const LRESULT taken = wide ? SendMessageTimeoutW(hwnd, msg, wp, lp, flags, timeoutMs, &result)
                               : SendMessageTimeoutA(hwnd, msg, wp, lp, flags, timeoutMs, &result);
    if (!taken)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

} // namespace

bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate())
            return true;
        if (GetTickCount64() >= deadline)
            return predicate();
        Sleep(pollMs);
    }
}

HWND FindTopLevelWindow(DWORD pid, const char* className, bool mustBeVisible) {
    WindowSearch search{pid, className, mustBeVisible, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindThreadDialog(DWORD threadId) {
    WindowSearch search{0, "#32770", true, nullptr};
    EnumThreadWindows(threadId, MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildById(HWND parent, int id) {
    // Depth first, each level in z-order, as EnumChildWindows walks them.
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        if (HWND found = FindChildById(child, id))
            return found;
    }
    return nullptr;
}

int WindowCount(DWORD pid) {
    std::pair<DWORD, int> tally{pid, 0};
    EnumWindows(CountProcessWindows, reinterpret_cast<LPARAM>(&tally));
    return tally.second;
}

std::optional<LRESULT> TrySend(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs,
                               UINT flags) {
    return SendTimed(false, hwnd, msg, wp, lp, timeoutMs, flags);
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs) {
    return SendTimed(false, hwnd, msg, wp, lp, timeoutMs, SMTO_ABORTIFHUNG).value_or(0);
}

LRESULT SendW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs) {
    return SendTimed(true, hwnd, msg, wp, lp, timeoutMs, SMTO_ABORTIFHUNG).value_or(0);
}

std::string GetText(HWND hwnd, DWORD timeoutMs) {
    const LRESULT len = Send(hwnd, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
    std::string buf(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got =
        Send(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]), timeoutMs);
    buf.resize(got >= 0 && static_cast<size_t>(got) < buf.size() ? static_cast<size_t>(got) : 0);
    return buf;
}

bool SetText(HWND hwnd, const std::string& text, DWORD timeoutMs) {
    return TrySend(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), timeoutMs)
        .has_value();
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, cmb13);
    return field ? field : GetDlgItem(dialog, edt1);
}

void ChooseFileType(HWND dialog, int index) {
    HWND types = GetDlgItem(dialog, cmb1);
    Send(types, CB_SETCURSEL, index, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
        Send(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
}

} // namespace windrive
