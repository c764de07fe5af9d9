#include "builder/BuilderPath.h"

#include <algorithm>

std::string BuilderPathFor(const std::string& exePath, LeadByteTest isLead) {
    std::size_t dirEnd = AfterLastOf(exePath, "\\/", isLead);
    // Only a drive letter's colon ends a directory; a later one belongs to a stream name.
    if (exePath.size() >= 2 && exePath[1] == ':' && !isLead(static_cast<unsigned char>(exePath[0])))
        dirEnd = std::max<std::size_t>(dirEnd, 2);
    // A bare file name has no directory to put in front. GetModuleFileNameA always gives
    // a full path, so this is only reached by callers that pass a name on its own; a
    // leading "\\" would point at the drive's root instead of beside the name.
    if (dirEnd == 0) {
        return "VKB.exe";
    }
    std::string path = exePath.substr(0, dirEnd);
    const char last = path.back();
    if (last != '\\' && last != '/') {
        path += '\\';
    }
    return path + "VKB.exe";
}
