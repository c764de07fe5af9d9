// Typed-prefix completion: whatever the text, the selection the control reports and the
// list, the result keeps what the user typed, completes from the first matching item only,
// and selects exactly the completed rest.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "shared/SameText.h"
#include "gui/Completion.h"

namespace {

bool SameAsciiLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The comparison is promised strings of equal length; it gets checked on every call.
bool CheckedSamePrefix(const std::string& prefix, const std::string& itemHead) {
    FUZZ_CHECK(prefix.size() == itemHead.size());
    return SameText(prefix, itemHead);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const char typed = data.ConsumeIntegral<char>();
    int selStart = data.ConsumeIntegralInRange<int>(-2, 300);
    switch (data.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        selStart = INT32_MIN;
        break;
    case 1:
        selStart = INT32_MAX;
        break;
    default:
        break;
    }
    const std::string text = data.ConsumeRandomLengthString(300);
    std::vector<std::string> items;
    while (data.remaining_bytes() > 0 && items.size() < 32) {
        items.push_back(data.ConsumeRandomLengthString(300));
    }

    const std::optional<CompletionResult> result =
        CompleteTyped(text, selStart, typed, items, CheckedSamePrefix);
    FUZZ_CHECK(CompleteTyped(text, selStart, typed, items).has_value() == result.has_value());
    if (typed == 8 || typed == 9 || typed == 27) {
        FUZZ_CHECK(!result);
        return 0;
    }

    // A selection outside the text stands for its nearer end.
    const std::size_t cut =
        selStart < 0 ? 0 : std::min(static_cast<std::size_t>(selStart), text.size());
    const std::string lookedUp = text.substr(0, cut) + typed;
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < items.size() && !first; ++i) {
        if (items[i].size() >= lookedUp.size() &&
            SameAsciiLetters(items[i].substr(0, lookedUp.size()), lookedUp)) {
            first = i;
        }
    }
    FUZZ_CHECK(result.has_value() == first.has_value());
    if (!result) {
        return 0;
    }
    const std::string& item = items[*first];
    FUZZ_CHECK(result->itemIndex == static_cast<int>(*first));
    FUZZ_CHECK(result->text.size() == item.size());
    FUZZ_CHECK(result->text.compare(0, lookedUp.size(), lookedUp) == 0);
    FUZZ_CHECK(result->text.compare(lookedUp.size(), std::string::npos, item, lookedUp.size(),
                                    std::string::npos) == 0);
    FUZZ_CHECK(result->selStart == static_cast<int>(lookedUp.size()));
    FUZZ_CHECK(result->selEnd == static_cast<int>(item.size()));
    return 0;
}
