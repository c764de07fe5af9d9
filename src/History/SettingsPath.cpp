#include "History/SettingsPath.h"

std::string SettingsPathFor(const std::string& exePath, LeadByteTest isLead) {
    const std::size_t nameStart = AfterLastOf(exePath, "\\:", isLead);
    const std::size_t afterDot = AfterLastOf(exePath.substr(nameStart), ".", isLead);
    return exePath.substr(0, afterDot > 0 ? nameStart + afterDot - 1 : std::string::npos) + ".ini";
}
