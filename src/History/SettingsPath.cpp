#include "History/SettingsPath.h"

#include <cstddef>

std::string SettingsPathFor(const std::string& exePath, LeadByteTest isLead) {
    std::size_t dot = std::string::npos;
    ForEachCharStart(exePath, isLead, [&](std::size_t i) {
        const char c = exePath[i];
        if (c == '.') {
            dot = i;
        } else if (c == '\\' || c == ':') {
            dot = std::string::npos;
        }
    });
    return exePath.substr(0, dot) + ".ini";
}
