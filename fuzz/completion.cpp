// Typed-prefix completion: whatever the text, the selection the control reports, the list
// and the code page, the result keeps what the user typed, completes from the first matching
// item only, never cuts a character in two, and selects exactly the completed rest.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "shared/SameText.h"
#include "controls/rules/Completion.h"

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
    return shared::SameText(prefix, itemHead);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const shared::LeadByteTest isLead = fuzz::PickLeadByteTest(data);
    // One whole character: a lead byte brings its trail byte along.
    std::string typed(1, data.ConsumeIntegral<char>());
    if (isLead(static_cast<unsigned char>(typed[0]))) {
        typed += data.ConsumeIntegral<char>();
    }
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

    const std::optional<controls::CompletionResult> result =
        controls::CompleteTyped(text, selStart, typed, items, isLead, CheckedSamePrefix);
    FUZZ_CHECK(controls::CompleteTyped(text, selStart, typed, items, isLead).has_value() ==
               result.has_value());
    if (typed == "\b" || typed == "\t" || typed == "\x1b") {
        FUZZ_CHECK(!result);
        return 0;
    }

    // A selection outside the text stands for its nearer end, one inside a character for
    // that character's start.
    const std::vector<bool> textStarts = fuzz::CharacterStarts(text, isLead);
    std::size_t cut = selStart < 0 ? 0 : std::min(static_cast<std::size_t>(selStart), text.size());
    while (cut < text.size() && !textStarts[cut]) {
        --cut;
    }
    const std::string lookedUp = text.substr(0, cut) + typed;
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < items.size() && !first; ++i) {
        const std::string& item = items[i];
        if (item.size() >= lookedUp.size() &&
            (item.size() == lookedUp.size() ||
             fuzz::CharacterStarts(item, isLead)[lookedUp.size()]) &&
            SameAsciiLetters(item.substr(0, lookedUp.size()), lookedUp)) {
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
