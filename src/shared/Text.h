// Text helpers that need no Windows API. Texts are in the system's ANSI code page.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace shared {

// Lower-cases A to Z only; the Win32 layer uses the locale's rules instead.
std::string AsciiLower(const std::string& text);

// Equal over their whole lengths with the letter case of A to Z ignored.
bool AsciiSameText(const std::string& a, const std::string& b);

// The one loop for a text of unknown length from a call that fills a buffer: `read` is given a
// buffer and its size and returns how many bytes it copied. A result that comes within `slack`
// bytes of the end may have been cut, so the buffer doubles from `first` until one does not, or
// until it reaches `limit`; the text is what the last call copied.
std::string ReadGrowing(std::size_t first, std::size_t limit, std::size_t slack,
                        const std::function<std::size_t(char* buffer, std::size_t size)>& read);

} // namespace shared
