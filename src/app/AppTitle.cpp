#include "app/AppTitle.h"

#include <algorithm>

std::string AppTitleFromPath(const std::string& ansiPath, LeadByteTest isLead, LowerCaseFn lower) {
    std::string name = ansiPath.substr(AfterLastOf(ansiPath, "\\", isLead));
    name.resize(std::min(name.size(), FirstOf(name, ".", isLead)));
    if (name.empty()) {
        return name;
    }

    // The first character stays as it is, whole, even when it takes two bytes.
    std::size_t firstLen = 1;
    if (isLead(static_cast<unsigned char>(name[0])) && name.size() > 1) {
        firstLen = 2;
    }
    return name.substr(0, firstLen) + lower(name.substr(firstLen));
}
