// The one Win32 wrapper for each system query the program makes. Everything else asks here,
// so each rule (buffer sizes, fallbacks) is written once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The ANSI code page's lead-byte test, in the form the Windows-free scans take.
bool IsSystemLeadByte(unsigned char c);

// The running executable's full path, however long; empty if the system cannot say.
std::string ModuleFileName();

// The UTF-16 form of an ANSI text, with a terminating zero. (Not std::wstring: its library
// code would add twenty kilobytes to the exe for these few conversions.)
std::vector<wchar_t> WideFromAnsi(const std::string& ansi);

// The ANSI text of UTF-16 characters; nothing when one has no ANSI form, so that no
// character is silently changed into another.
std::optional<std::string> ExactAnsi(const wchar_t* wide, std::size_t length);
// The same in a code page of one's choosing; Windows may run with UTF-8 as its ANSI one.
std::optional<std::string> ExactInCodePage(unsigned codePage, const wchar_t* wide,
                                           std::size_t length);

// The system's text for an error number, without a line break at its end.
std::string SystemErrorText(unsigned long error);

// The screen's pixels per inch; 96 when the system cannot say.
int ScreenDpi();

// The user locale's decimal separator, or '\0' when the locale gives none.
char DecimalSeparator();

// Lower case by the system's rules for the ANSI code page.
std::string LowerInLocale(const std::string& text);
