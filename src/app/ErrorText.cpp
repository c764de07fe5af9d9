#include "app/ErrorText.h"

#include <cstddef>
#include <cstdint>

std::string ErrorBoxText(const std::string& message, LeadByteTest isLead) {
    if (message.empty()) {
        return message;
    }
    std::size_t last = 0;
    ForEachCharStart(message, isLead, [&](std::size_t i) { last = i; });
    if (static_cast<unsigned char>(message[last]) > 0x2E) {
        return message + ".";
    }
    return message;
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

} // namespace

std::string GenericErrorText(const std::string& className, const std::string& moduleFileName,
                             const void* address, const std::string& message) {
    const bool addStop = !message.empty() && message.back() != '.';
    return "Exception " + className + " in module " + moduleFileName + " at " +
           HexAddress(address) + ".\r\n" + message + (addStop ? "." : "") + "\r\n";
}
