#include "gui/AnsiText.h"

namespace gui {

std::string TypedAnsiChars(HWND hwnd, WPARAM wParam) {
    if (!IsWindowUnicode(hwnd))
        return std::string(1, static_cast<char>(wParam));
    const auto wide = static_cast<wchar_t>(wParam);
    if (wide < 0x80)
        return std::string(1, static_cast<char>(wide));
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? std::string(bytes, static_cast<size_t>(n)) : std::string();
}

} // namespace gui
