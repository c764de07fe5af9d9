#include "gui/Completion.h"

#include <cstddef>

std::optional<CompletionResult> CompleteTyped(const std::string& text, int selStart, char typed,
                                              const std::vector<std::string>& items,
                                              SamePrefixFn samePrefix) {
    if (typed == 8 || typed == 9 || typed == 27) {
        return std::nullopt;
    }
    // The caller reads the selection from the control; never trust it to lie within the text.
    std::size_t cut = text.size();
    if (selStart < 0) {
        cut = 0;
    } else if (static_cast<std::size_t>(selStart) < text.size()) {
        cut = static_cast<std::size_t>(selStart);
    }
    std::string lookedUp = text.substr(0, cut);
    lookedUp += typed;

    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        if (item.size() < lookedUp.size() ||
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
