#include "History/SameText.h"

#ifdef _WIN32
#include <windows.h>

#include <climits>

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() > INT_MAX || b.size() > INT_MAX) {
        return false;
    }
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

#else

namespace {

char AsciiLowerChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameText(const std::string& a, const std::string& b) {
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

#endif
