#include "app/AppTitle.h"

#include "shared/Path.h"

namespace app {

std::string AppTitleFromPath(const std::string& ansiPath, shared::LeadByteTest isLead,
                             LowerCaseFn lower) {
    std::string name = shared::StemOf(shared::FileNameOf(ansiPath, isLead), isLead);
    // A caption holds 255 characters; a double-byte character is kept whole or not at all.
    constexpr std::size_t kMaxTitle = 255;
    if (name.size() > kMaxTitle) {
        std::size_t cut = 0;
        shared::ForEachCharStart(name, isLead, [&](std::size_t i) {
            if (i <= kMaxTitle)
                cut = i;
        });
        name.resize(cut);
    }
    if (name.empty())
        return name;
    // The first character stays as it is, whole, even when it takes two bytes.
    const std::size_t firstLen =
        isLead(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
    return name.substr(0, firstLen) + lower(name.substr(firstLen));
}

} // namespace app
