#include "app/ErrorText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

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

// Pointer-wide and zero-padded, so the text does not depend on the C runtime's "%p".
std::string HexAddress(const void* address) {
    std::array<char, 2 * sizeof(void*) + 1> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    return buffer.data();
}

} // namespace

std::string GenericErrorText(const std::string& className, const std::string& moduleFileName,
                             const void* address, const std::string& message) {
    const bool addStop = !message.empty() && message.back() != '.';
    return "Exception " + className + " in module " + moduleFileName + " at " +
           HexAddress(address) + ".\r\n" + message + (addStop ? "." : "") + "\r\n";
}
