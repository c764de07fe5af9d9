#include "controls/AnsiText.h"

#include <vector>

#include "shared/System.h"

namespace controls {

std::string TypedAnsiChars(HWND hwnd, WPARAM wParam) {
    const auto wide = static_cast<wchar_t>(wParam);
    if (!IsWindowUnicode(hwnd) || wide < 0x80) {
        // Not braces: std::string{1, c} would be the two characters '\1' and c.
        // NOLINTNEXTLINE(modernize-return-braced-init-list)
        return std::string(1, static_cast<char>(wParam));
    }
    return shared::ExactAnsi(&wide, 1).value_or(std::string());
}

std::string AnsiWindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
    return {buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0};
}

std::vector<wchar_t> WideWindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
    buffer.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return buffer;
}

std::optional<std::string> ExactText(HWND hwnd) {
    if (!IsWindowUnicode(hwnd))
        return AnsiWindowText(hwnd);
    const std::vector<wchar_t> wide = WideWindowText(hwnd);
    return shared::ExactAnsi(wide.data(), wide.size());
}

} // namespace controls
