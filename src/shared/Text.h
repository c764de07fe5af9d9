// Text helpers that need no Windows API. Texts are in the system's ANSI code page.
#pragma once

#include <string>

// Lower-cases A to Z only; the Win32 layer uses the locale's rules instead.
std::string AsciiLower(const std::string& text);

// Equal over their whole lengths with the letter case of A to Z ignored.
bool AsciiSameText(const std::string& a, const std::string& b);
