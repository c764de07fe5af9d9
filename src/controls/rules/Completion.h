// Typed-prefix completion of the editable combo boxes from their drop-down lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "shared/CodePage.h"
#include "shared/SameText.h"

namespace controls {

struct CompletionResult {
    int itemIndex;
    std::string text;
    int selStart;
    int selEnd;
};

// True when prefix and itemHead (of the same length) are equal with letter case ignored.
// By default the user locale's comparison (CompareStringA on Windows).
using SamePrefixFn = bool (*)(const std::string& prefix, const std::string& itemHead);

// selStart is the start of the selection, or the text's length when nothing is selected;
// typed is one whole character, of one byte or, on a double-byte code page, two. Positions
// count bytes and fall between whole characters. Without a match (and for backspace, Tab
// and Escape) the result is empty and the character is to be typed normally.
std::optional<CompletionResult> CompleteTyped(const std::string& text, int selStart,
                                              const std::string& typed,
                                              const std::vector<std::string>& items,
                                              shared::LeadByteTest isLead = shared::NoLeadBytes,
                                              SamePrefixFn samePrefix = shared::SameText);

} // namespace controls
