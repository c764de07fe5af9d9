#include "app/ErrorText.h"

#include <cstddef>
#include <cstdint>

namespace app {

std::string ErrorBoxText(const std::string& message, shared::LeadByteTest isLead) {
    if (message.empty()) {
        return message;
    }
    std::size_t last = 0;
    shared::ForEachCharStart(message, isLead, [&](std::size_t i) { last = i; });
    if (static_cast<unsigned char>(message[last]) > 0x2E) {
        return message + ".";
    }
    return message;
}

std::string WrapLongRuns(const std::string& text, shared::LeadByteTest isLead) {
    // A message box breaks lines at blanks only: a long path alone made it wider than the
    // screen. Such a run is broken after a path separator once it is this long, and anywhere
    // at the second length.
    constexpr std::size_t kBreakAfterSeparator = 60;
    constexpr std::size_t kBreakAnywhere = 100;
    std::string wrapped;
    std::size_t run = 0;
    shared::ForEachCharStart(text, isLead, [&](std::size_t i) {
        const std::size_t length = isLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (run >= kBreakAnywhere) {
            wrapped += '\n';
            run = 0;
        }
        wrapped.append(text, i, length);
        const char c = text[i];
        run = (c == ' ' || c == '\n') ? 0 : run + 1;
        if (run >= kBreakAfterSeparator && (c == '\\' || c == '/') && i + 1 < text.size()) {
            wrapped += '\n';
            run = 0;
        }
    });
    return wrapped;
}

namespace {

// Pointer-wide, upper-case hex digits. Written out by hand: the C runtime's formatting
// would pull its whole printf machinery into the exe for a box that should never show.
std::string HexAddress(const void* address) {
    auto value = reinterpret_cast<std::uintptr_t>(address);
    std::string digits(2 * sizeof(void*), '0');
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, value >>= 4)
        *it = "0123456789ABCDEF"[value & 0xF];
    return digits;
}

// Reads a <length><name> at `at`; false when there is none or it runs past the end.
bool ReadSourceName(const std::string& mangled, std::size_t& at, std::string& name) {
    std::size_t length = 0;
    const std::size_t start = at;
    while (at < mangled.size() && mangled[at] >= '0' && mangled[at] <= '9' && length < 4096)
        length = length * 10 + static_cast<std::size_t>(mangled[at++] - '0');
    if (at == start || length == 0 || length > mangled.size() - at)
        return false;
    name = mangled.substr(at, length);
    at += length;
    return true;
}

} // namespace

std::string ReadableTypeName(const std::string& mangled) {
    std::size_t at = 0;
    const bool nested = mangled.compare(0, 1, "N") == 0;
    at += nested ? 1 : 0;
    std::string readable;
    if (mangled.compare(at, 2, "St") == 0) {
        readable = "std";
        at += 2;
    }
    std::string name;
    int names = 0;
    while (at < mangled.size() && mangled[at] != 'E') {
        // An ABI tag ("B5cxx11") says nothing a reader needs.
        const bool tag = mangled[at] == 'B';
        at += tag ? 1 : 0;
        if (!ReadSourceName(mangled, at, name))
            return mangled;
        if (tag)
            continue;
        ++names;
        readable += (readable.empty() ? "" : "::") +
                    (name == "_GLOBAL__N_1" ? std::string("(anonymous namespace)") : name);
    }
    const bool closed = at < mangled.size(); // at the 'E' that ends a nested name
    if (names == 0 || closed != nested || (closed && at + 1 != mangled.size()))
        return mangled;
    return readable;
}

std::string GenericErrorText(const std::string& className, const std::string& moduleFileName,
                             const void* address, const std::string& message) {
    const bool addStop = !message.empty() && message.back() != '.';
    return "Exception " + className + " in module " + moduleFileName + " at " +
           HexAddress(address) + ".\r\n" + message + (addStop ? "." : "") + "\r\n";
}

} // namespace app
