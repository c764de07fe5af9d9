// The one Win32 wrapper for each system query the program makes. Everything else asks here,
// so each rule (buffer sizes, fallbacks) is written once.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shared/Path.h"

namespace shared {

// The ANSI code page's lead-byte test, in the form the Windows-free scans take.
bool IsSystemLeadByte(unsigned char c);

// The running executable's full path, however long, as the ANSI call gives it: a character
// the code page lacks comes back as '?', so it names the program but may reach nothing; empty
// if the system cannot say.
std::string ModuleFileName();

// Limits where DLLs are looked for to the system folder, before any DLL is loaded: a DLL
// planted beside the exe (often a downloads folder) or in the current folder never runs in
// the process. Where the system lacks the call (Windows 7 without KB2533623), at least the
// current folder drops out of the search.
void RestrictDllSearch();
// The system folder's copy of a DLL, whatever lies beside the exe; null when it cannot be
// loaded (GetLastError says why).
HMODULE LoadSystemLibrary(const char* name);

// The UTF-16 form of an ANSI text, with a terminating zero. (Not std::wstring: its library
// code would add twenty kilobytes to the exe for these few conversions.)
std::vector<wchar_t> WideFromAnsi(const std::string& ansi);

// The ANSI text of UTF-16 characters; nothing when one has no ANSI form, so that no
// character is silently changed into another.
std::optional<std::string> ExactAnsi(const wchar_t* wide, std::size_t length);
// The same in a code page of one's choosing; Windows may run with UTF-8 as its ANSI one.
std::optional<std::string> ExactInCodePage(unsigned codePage, const wchar_t* wide,
                                           std::size_t length);

// Paths of any length Windows allows. An ANSI call stops at MAX_PATH (260) characters, so
// these take the same text through the wide calls: past that length as a full path behind
// "\\?\", which the wide calls take up to 32767 characters long.
std::vector<wchar_t> WidePath(const std::string& path);
// The same for a path that is wide already, zero-terminated.
std::vector<wchar_t> WidePath(std::vector<wchar_t> wide);
// The attributes of what the path names, relative to the current folder where it is relative;
// INVALID_FILE_ATTRIBUTES, with the last error set, where there is nothing or it cannot be
// reached.
DWORD PathAttributes(const std::string& path);
// The same for a path that is wide already, zero-terminated (a name beyond the code page).
DWORD PathAttributes(std::vector<wchar_t> widePath);
// Whether the path names an existing folder: the one home of that question.
bool IsFolder(const std::string& path);
// How the ANSI calls reach the running executable and the files beside it, from its path as
// the system holds it: through the short name of its folder where the code page cannot hold
// the folder's name (ReachablePath).
TReachablePath ReachableExePath();

// The path for a call that takes no longer one (the private-profile functions, the shell's
// start of a program): as it is where it fits, else its short (8.3) form where the volume
// keeps one, else as it is.
std::string PathForShortCall(const std::string& path);

// The system's text for an error number, without a line break at its end.
std::string SystemErrorText(unsigned long error);

// Why the shell did not start or open something: the system's error where it left one, else
// the reason for the shell's own result code (a value of 32 or less).
std::string ShellFailureText(unsigned long error, INT_PTR result);

// The system's pixels per inch, asked once; 96 when the system cannot say.
int ScreenDpi();
// The pixels per inch of the monitor the window is on, as a per-monitor aware window scales
// to; the screen's where the system cannot say (before Windows 10 1607).
int WindowDpi(HWND hwnd);
// The window rectangle around a client rectangle at that DPI; at the screen's DPI where the
// system has no per-DPI form of the call.
void AdjustWindowRectForDpi(RECT& rc, DWORD style, DWORD exStyle, int dpi);
// Whether a high-contrast theme is on.
bool HighContrast();

// The user locale's decimal separator, or '\0' when the locale gives none.
char DecimalSeparator();

// Lower case by the system's rules for the ANSI code page.
std::string LowerInLocale(const std::string& text);

} // namespace shared
