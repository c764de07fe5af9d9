#include "shared/Text.h"

#include <vector>

namespace shared {

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

std::string ReadGrowing(std::size_t first, std::size_t limit, std::size_t slack,
                        const std::function<std::size_t(char* buffer, std::size_t size)>& read) {
    std::vector<char> buffer(first > slack ? first : slack + 1);
    for (;;) {
        const std::size_t copied = read(buffer.data(), buffer.size());
        if (copied + slack < buffer.size() || buffer.size() >= limit)
            return {buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1};
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace shared
