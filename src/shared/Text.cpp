#include "shared/Text.h"

namespace {

char AsciiLowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string AsciiLower(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        c = AsciiLowerChar(c);
    }
    return result;
}

bool AsciiSameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        if (AsciiLowerChar(a[i]) != AsciiLowerChar(b[i])) {
            return false;
        }
    }
    return true;
}
