#include "app/AppTitle.h"

#include <cstddef>

std::string AppTitleFromPath(const std::string& ansiPath, LeadByteTest isLead, LowerCaseFn lower) {
    std::size_t nameStart = 0;
    ForEachCharStart(ansiPath, isLead, [&](std::size_t i) {
        if (ansiPath[i] == '\\') {
            nameStart = i + 1;
        }
    });
    std::string name = ansiPath.substr(nameStart);

    std::size_t end = std::string::npos;
    ForEachCharStart(name, isLead, [&](std::size_t i) {
        if (end == std::string::npos && name[i] == '.') {
            end = i;
        }
    });
    if (end != std::string::npos) {
        name.resize(end);
    }
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
