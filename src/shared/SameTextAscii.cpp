#include "shared/SameText.h"
#include "shared/Text.h"

namespace shared {

bool SameText(const std::string& a, const std::string& b) {
    return AsciiSameText(a, b);
}

} // namespace shared
