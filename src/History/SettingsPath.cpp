#include "History/SettingsPath.h"

#include "shared/Path.h"

namespace History {

std::string SettingsPathFor(const std::string& exePath, shared::LeadByteTest isLead) {
    std::string folder = shared::FolderOf(exePath, isLead);
    if (folder.empty())
        return folder;
    return folder + shared::BaseNameOf(shared::FileNameOf(exePath, isLead), isLead) + ".ini";
}

} // namespace History
