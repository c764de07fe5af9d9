#include "gui/AnsiText.h"

#include <array>

namespace gui {

std::string TypedAnsiChars(HWND hwnd, WPARAM wParam) {
    // Not braces: std::string{1, c} would be the two characters '\1' and c.
    if (!IsWindowUnicode(hwnd))
        return std::string(1,
                           static_cast<char>(wParam)); // NOLINT(modernize-return-braced-init-list)
    const auto wide = static_cast<wchar_t>(wParam);
    if (wide < 0x80)
        return std::string(1, static_cast<char>(wide)); // NOLINT(modernize-return-braced-init-list)
    std::array<char, 4> bytes{};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes.data(),
                                      static_cast<int>(bytes.size()), nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return {};
    return {bytes.data(), static_cast<size_t>(n)};
}

} // namespace gui
