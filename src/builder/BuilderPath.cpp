#include "builder/BuilderPath.h"

#include "shared/Path.h"

namespace builder {

std::string BuilderPathFor(const std::string& exePath, shared::LeadByteTest isLead) {
    std::string path = shared::FolderOf(exePath, isLead);
    if (path.empty())
        return path;
    const char last = path.back();
    if (last != '\\' && last != '/')
        path += '\\';
    return path + "VKB.exe";
}

} // namespace builder
