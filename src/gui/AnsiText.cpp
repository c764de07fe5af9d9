#include "gui/AnsiText.h"

#include <array>
#include <climits>
#include <vector>

namespace gui {

std::string TypedAnsiChars(HWND hwnd, WPARAM wParam) {
    // Not braces: std::string{1, c} would be the two characters '\1' and c.
    if (!IsWindowUnicode(hwnd))
        return std::string(1, static_cast<char>(wParam)); // NOLINT(modernize-return-braced-init-list)
    const auto wide = static_cast<wchar_t>(wParam);
    if (wide < 0x80)
        return std::string(1, static_cast<char>(wide)); // NOLINT(modernize-return-braced-init-list)
    return ExactAnsi(std::wstring(1, wide)).value_or(std::string());
}

std::optional<std::string> ExactAnsi(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    if (wide.size() > INT_MAX / 2)
        return std::nullopt;
    const int units = static_cast<int>(wide.size());
    // Best fit would turn an Omega into an O and a Cyrillic letter into a question mark.
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), length,
                        nullptr, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return ansi;
}

std::optional<std::string> ExactText(HWND hwnd) {
    if (!IsWindowUnicode(hwnd)) {
        const int length = GetWindowTextLengthA(hwnd);
        std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
        const int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
        return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
    }
    const int length = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
    return ExactAnsi(std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0));
}

int WideLength(const std::string& ansi) {
    if (ansi.empty() || ansi.size() > INT_MAX)
        return 0;
    return MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
}

} // namespace gui
