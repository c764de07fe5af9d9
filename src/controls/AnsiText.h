// The ANSI text of what the user typed and sees. With common controls 6 an edit is a Unicode
// window even when made through the ANSI API: its messages carry UTF-16, its positions count
// UTF-16 units, and its ANSI text is a best-fit copy that may differ from what it shows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace controls {

// The ANSI bytes of a WM_CHAR sent to hwnd; empty when the character has no ANSI form.
std::string TypedAnsiChars(HWND hwnd, WPARAM wParam);

// The window's text through the ANSI call: for a Unicode window a best-fit copy.
std::string AnsiWindowText(HWND hwnd);
// The window's text as UTF-16, without a terminating zero.
std::vector<wchar_t> WideWindowText(HWND hwnd);

// The text the window shows, in the ANSI code page; nothing when it holds a character the
// code page cannot represent, so that no character is silently changed.
std::optional<std::string> ExactText(HWND hwnd);

} // namespace controls
