#include "builder/BuilderPath.h"

#include "shared/Path.h"

std::string BuilderPathFor(const std::string& exePath, LeadByteTest isLead) {
    std::string path = FolderOf(exePath, isLead);
    if (path.empty())
        return path;
    const char last = path.back();
    if (last != '\\' && last != '/')
        path += '\\';
    return path + "VKB.exe";
}
