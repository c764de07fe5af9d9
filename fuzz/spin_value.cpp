// The priority field's text rules: any text reads as a value or as the minimum, never
// anything else; every value's text reads back as that value; steps wrap like 32-bit
// arithmetic.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "controls/rules/SpinValue.h"

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Digits (all of the given kind, at least one) as a number, through the standard library
// rather than the code under test; empty when out of range.
std::optional<std::int64_t> Digits(const std::string& digits, int base, std::int64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    for (char c : digits) {
        if (base == 16 ? !IsHexDigit(c) : (c < '0' || c > '9')) {
            return std::nullopt;
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    if (significant.size() > 12) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), value, base);
    if (value > limit) {
        return std::nullopt;
    }
    return value;
}

// The documented forms: leading blanks, then "$", "x", "X", "0x" or "0X" and up to eight
// significant hex digits (the bits of the value), or an optional sign and decimal digits
// within the 32-bit range.
std::optional<std::int32_t> Expected(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        return std::nullopt;
    }
    const std::string rest = text.substr(pos);
    std::size_t hexStart = std::string::npos;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X') {
        hexStart = 1;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hexStart = 2;
    }
    if (hexStart != std::string::npos) {
        const auto bits = Digits(rest.substr(hexStart), 16, 0xFFFFFFFFll);
        if (!bits) {
            return std::nullopt;
        }
        const auto u = static_cast<std::uint32_t>(*bits);
        return u <= 0x7FFFFFFFu
                   ? static_cast<std::int32_t>(u)
                   : static_cast<std::int32_t>(static_cast<std::int64_t>(u) - 0x100000000ll);
    }
    const bool negative = rest[0] == '-';
    const std::size_t digitsStart = (rest[0] == '-' || rest[0] == '+') ? 1 : 0;
    const auto magnitude =
        Digits(rest.substr(digitsStart), 10, negative ? 0x80000000ll : 0x7FFFFFFFll);
    if (!magnitude) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -*magnitude : *magnitude);
}

std::int32_t Wrapped(std::int64_t v) {
    const std::int64_t m = ((v % 0x100000000ll) + 0x100000000ll) % 0x100000000ll;
    return static_cast<std::int32_t>(m >= 0x80000000ll ? m - 0x100000000ll : m);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto minValue = data.ConsumeIntegral<std::int32_t>();
    const auto otherBound = data.ConsumeIntegral<std::int32_t>();
    const auto v = data.ConsumeIntegral<std::int32_t>();
    const auto increment = data.ConsumeIntegral<std::int32_t>();
    const bool up = data.ConsumeBool();
    const std::string text = data.ConsumeRemainingBytesAsString();

    // The minimum only stands in for text that does not parse.
    const std::int32_t read = controls::ReadSpinValue(text, minValue);
    const std::optional<std::int32_t> expected = Expected(text);
    FUZZ_CHECK(read == expected.value_or(minValue));
    const std::int32_t otherMin = otherBound != minValue ? otherBound : minValue ^ 1;
    FUZZ_CHECK(controls::ReadSpinValue(text, otherMin) == expected.value_or(otherMin));

    const std::string shown = controls::FormatSpinValue(v);
    FUZZ_CHECK(controls::ReadSpinValue(shown, minValue) == v);
    FUZZ_CHECK(controls::ReadSpinValue("   " + shown, otherMin) == v);
    FUZZ_CHECK(shown == std::to_string(v));

    const std::int32_t stepped = controls::StepValue(v, increment, up);
    FUZZ_CHECK(stepped == Wrapped(static_cast<std::int64_t>(v) +
                                  (up ? 1 : -1) * static_cast<std::int64_t>(increment)));
    FUZZ_CHECK(controls::StepValue(stepped, increment, !up) == v);
    FUZZ_CHECK(controls::ReadSpinValue(controls::FormatSpinValue(stepped), minValue) == stepped);

    const std::int32_t bounded = controls::BoundValue(read, minValue, otherBound);
    if (minValue == otherBound) {
        FUZZ_CHECK(bounded == read);
    } else if (minValue < otherBound) {
        FUZZ_CHECK(bounded >= minValue && bounded <= otherBound);
        FUZZ_CHECK((read >= minValue && read <= otherBound) == (bounded == read));
    }
    return 0;
}
