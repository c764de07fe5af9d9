#include "shared/SameText.h"
#include "shared/Text.h"

bool SameText(const std::string& a, const std::string& b) {
    return AsciiSameText(a, b);
}
