// The ANSI text of what the user typed. With common controls 6 an edit is a Unicode window
// even when made through the ANSI API, and its messages then carry UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

// The ANSI bytes of a WM_CHAR sent to hwnd; empty when the character has no ANSI form.
std::string TypedAnsiChars(HWND hwnd, WPARAM wParam);

} // namespace gui
