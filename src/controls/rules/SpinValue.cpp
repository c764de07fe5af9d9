#include "controls/rules/SpinValue.h"

#include <cstddef>
#include <optional>

namespace controls {

namespace {

// Two's complement reinterpretation without relying on implementation-defined conversion.
std::int32_t ToSigned(std::uint32_t u) {
    if (u <= 0x7FFFFFFFu) {
        return static_cast<std::int32_t>(u);
    }
    return -static_cast<std::int32_t>(~u) - 1;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::int32_t> ParseHex(const std::string& s, std::size_t pos) {
    if (pos >= s.size()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (; pos < s.size(); ++pos) {
        const int d = HexDigit(s[pos]);
        // Checked before each digit: more than eight significant digits do not parse.
        if (d < 0 || value > 0xFFFFFFFu) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return ToSigned(value);
}

std::optional<std::int32_t> ParseDecimal(const std::string& s, std::size_t pos) {
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        negative = s[pos] == '-';
        ++pos;
    }
    if (pos >= s.size()) {
        return std::nullopt;
    }
    // The magnitude of the most negative value is one more than the largest positive one.
    const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint32_t value = 0;
    for (; pos < s.size(); ++pos) {
        if (s[pos] < '0' || s[pos] > '9') {
            return std::nullopt;
        }
        const auto d = static_cast<std::uint32_t>(s[pos] - '0');
        if (value > (limit - d) / 10) {
            return std::nullopt;
        }
        value = value * 10 + d;
    }
    return ToSigned(negative ? 0u - value : value);
}

} // namespace

std::int32_t ReadSpinValue(const std::string& text, std::int32_t minValue) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    std::optional<std::int32_t> value;
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        value = ParseHex(text, pos + 1);
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        value = ParseHex(text, pos + 2);
    } else {
        value = ParseDecimal(text, pos);
    }
    return value.value_or(minValue);
}

std::int32_t BoundValue(std::int32_t v, std::int32_t minValue, std::int32_t maxValue) {
    if (minValue == maxValue) {
        return v;
    }
    if (v < minValue) {
        return minValue;
    }
    if (v > maxValue) {
        return maxValue;
    }
    return v;
}

std::string FormatSpinValue(std::int32_t v) {
    return std::to_string(v);
}

std::int32_t StepValue(std::int32_t v, std::int32_t increment, bool up) {
    const auto a = static_cast<std::uint32_t>(v);
    const auto b = static_cast<std::uint32_t>(increment);
    return ToSigned(up ? a + b : a - b);
}

bool SpinCharAccepted(char c, char decimalSeparator, bool editorEnabled) {
    const auto code = static_cast<unsigned char>(c);
    const char separator = decimalSeparator != '\0' ? decimalSeparator : '.';
    const bool accepted = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == separator ||
                          (code < 32 && code != 13);
    if (!accepted) {
        return false;
    }
    if (!editorEnabled) {
        return code < 32 && code != 8;
    }
    return true;
}

} // namespace controls
