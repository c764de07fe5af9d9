#include "shared/System.h"

#include <windows.h>

#include <array>
#include <climits>
#include <vector>

#include "shared/Handles.h"
#include "shared/SameText.h"

namespace {

// Longest path the system hands out, with its "\\?\" prefix.
constexpr DWORD kLongestPath = 32768;
constexpr int kDefaultDpi = 96;

} // namespace

bool IsSystemLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

std::string ModuleFileName() {
    // A path cut at MAX_PATH would name another folder, so grow until it fits. A result
    // that fills the buffer may have been cut, whatever the system version says.
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size - 1 || size >= kLongestPath)
            return {buffer.data(), length < size ? length : size - 1};
        buffer.resize(buffer.size() * 2);
    }
}

int ScreenDpi() {
    const TWindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

char DecimalSeparator() {
    std::array<char, 8> buffer{};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer.data(),
                       static_cast<int>(buffer.size())) > 0)
        return buffer[0];
    return '\0';
}

std::string LowerInLocale(const std::string& text) {
    std::string lowered = text;
    if (!lowered.empty())
        CharLowerBuffA(lowered.data(), static_cast<DWORD>(lowered.size()));
    return lowered;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() > INT_MAX || b.size() > INT_MAX)
        return false;
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}
