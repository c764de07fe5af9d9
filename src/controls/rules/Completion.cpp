#include "controls/rules/Completion.h"

#include <cstddef>

namespace controls {

namespace {

// Where the character that holds byte `at` starts.
std::size_t CharStartAtOrBefore(const std::string& text, std::size_t at,
                                shared::LeadByteTest isLead) {
    std::size_t start = 0;
    shared::ForEachCharStart(text, isLead, [&](std::size_t i) {
        if (i <= at)
            start = i;
    });
    return at >= text.size() ? text.size() : start;
}

bool IsCharBoundary(const std::string& text, std::size_t at, shared::LeadByteTest isLead) {
    return at >= text.size() || CharStartAtOrBefore(text, at, isLead) == at;
}

bool IsControlKey(const std::string& typed) {
    return typed == "\b" || typed == "\t" || typed == "\x1b";
}

} // namespace

std::optional<CompletionResult> CompleteTyped(const std::string& text, int selStart,
                                              const std::string& typed,
                                              const std::vector<std::string>& items,
                                              shared::LeadByteTest isLead,
                                              SamePrefixFn samePrefix) {
    if (typed.empty() || IsControlKey(typed)) {
        return std::nullopt;
    }
    // The caller reads the selection from the control; never trust it to lie within the
    // text, nor between two whole characters.
    std::size_t cut = text.size();
    if (selStart < 0) {
        cut = 0;
    } else if (static_cast<std::size_t>(selStart) < text.size()) {
        cut = CharStartAtOrBefore(text, static_cast<std::size_t>(selStart), isLead);
    }
    const std::string lookedUp = text.substr(0, cut) + typed;

    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        // An item whose character the looked-up text would cut in two cannot match.
        if (item.size() < lookedUp.size() || !IsCharBoundary(item, lookedUp.size(), isLead) ||
            !samePrefix(lookedUp, item.substr(0, lookedUp.size()))) {
            continue;
        }
        CompletionResult result;
        result.itemIndex = static_cast<int>(i);
        // Keep what the user typed as typed; only the completed rest comes from the item.
        result.text = lookedUp + item.substr(lookedUp.size());
        result.selStart = static_cast<int>(lookedUp.size());
        result.selEnd = static_cast<int>(result.text.size());
        return result;
    }
    return std::nullopt;
}

} // namespace controls
