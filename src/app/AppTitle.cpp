#include "app/AppTitle.h"

#include <algorithm>

#include "shared/Path.h"

std::string AppTitleFromPath(const std::string& ansiPath, LeadByteTest isLead, LowerCaseFn lower) {
    std::string name = StemOf(FileNameOf(ansiPath, isLead), isLead);
    // A caption holds 255 characters; a double-byte character is kept whole or not at all.
    constexpr std::size_t kMaxTitle = 255;
    std::size_t kept = 0;
    ForEachCharStart(name, isLead, [&](std::size_t i) {
        const std::size_t next = isLead(static_cast<unsigned char>(name[i])) ? i + 2 : i + 1;
        if (next <= kMaxTitle && kept == i)
            kept = std::min(next, name.size());
    });
    name.resize(kept);
    if (name.empty())
        return name;
    // The first character stays as it is, whole, even when it takes two bytes.
    const std::size_t firstLen =
        isLead(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
    return name.substr(0, firstLen) + lower(name.substr(firstLen));
}
