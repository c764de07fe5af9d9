#include "builder/Launch.h"

#include <shellapi.h>

#include <vector>

#include "builder/BuilderPath.h"

namespace {

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

// Longest path the system hands out, with its "\\?\" prefix.
constexpr DWORD kLongestPath = 32768;

} // namespace

std::string ModuleFileName() {
    // A path cut at MAX_PATH would name another folder, so grow until it fits. A result
    // that fills the buffer may have been cut, whatever the system version says.
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            return std::string();
        if (length < size - 1 || size >= kLongestPath)
            return std::string(buffer.data(), length < size ? length : size - 1);
        buffer.resize(buffer.size() * 2);
    }
}

std::string BuilderPath() {
    return BuilderPathFor(ModuleFileName(), IsLeadByte);
}

void LaunchBuilder(HWND owner, const std::string& parameters) {
    const std::string builder = BuilderPath();
    // No working directory: the builder inherits ours, so relative paths mean the same.
    ShellExecuteA(owner, "OPEN", builder.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
