#include "History/SettingsPath.h"

#include "shared/Path.h"

std::string SettingsPathFor(const std::string& exePath, LeadByteTest isLead) {
    std::string folder = FolderOf(exePath, isLead);
    if (folder.empty())
        return folder;
    return folder + BaseNameOf(FileNameOf(exePath, isLead), isLead) + ".ini";
}
