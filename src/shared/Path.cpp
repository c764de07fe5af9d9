#include "shared/Path.h"

#include <algorithm>

namespace shared {

namespace {

std::size_t FolderEnd(const std::string& path, LeadByteTest isLead) {
    const std::size_t end = AfterLastOf(path, "\\/", isLead);
    // Only a drive letter's colon ends a folder; a later one belongs to a stream name.
    const bool drive =
        path.size() >= 2 && path[1] == ':' && !isLead(static_cast<unsigned char>(path[0]));
    return drive ? std::max<std::size_t>(end, 2) : end;
}

} // namespace

std::string FolderOf(const std::string& path, LeadByteTest isLead) {
    return path.substr(0, FolderEnd(path, isLead));
}

std::string FileNameOf(const std::string& path, LeadByteTest isLead) {
    const std::string name = path.substr(FolderEnd(path, isLead));
    return name.substr(0, std::min(name.size(), FirstOf(name, ":", isLead)));
}

std::string BaseNameOf(const std::string& name, LeadByteTest isLead) {
    const std::size_t afterDot = AfterLastOf(name, ".", isLead);
    return afterDot > 0 ? name.substr(0, afterDot - 1) : name;
}

std::string StemOf(const std::string& name, LeadByteTest isLead) {
    return name.substr(0, std::min(name.size(), FirstOf(name, ".", isLead)));
}

TReachablePath ReachablePath(const std::optional<std::string>& exactPath,
                             const std::optional<std::string>& exactName,
                             const std::optional<std::string>& shortPath, LeadByteTest isLead) {
    if (exactPath)
        return {*exactPath};
    if (!shortPath)
        return {"", true};
    return {FolderOf(*shortPath, isLead) + exactName.value_or(FileNameOf(*shortPath, isLead))};
}

} // namespace shared
