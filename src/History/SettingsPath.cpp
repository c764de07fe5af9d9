#include "History/SettingsPath.h"

std::string SettingsPathFor(const std::string& exePath, LeadByteTest isLead) {
    const std::size_t nameStart = AfterLastOf(exePath, "\\:", isLead);
    const std::size_t afterDot = AfterLastOf(exePath.substr(nameStart), ".", isLead);
    std::string path = exePath;
    if (afterDot > 0)
        path.resize(nameStart + afterDot - 1);
    return path + ".ini";
}
