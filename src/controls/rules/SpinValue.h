// The priority field's number rules. The field stores only its text; these turn text
// into a value and back.
#pragma once

#include <cstdint>
#include <string>

namespace controls {

// Text that does not parse reads as minValue, silently.
std::int32_t ReadSpinValue(const std::string& text, std::int32_t minValue);

// Equal bounds mean no bound at all.
std::int32_t BoundValue(std::int32_t v, std::int32_t minValue, std::int32_t maxValue);

std::string FormatSpinValue(std::int32_t v);

// Wraps at both ends of the 32-bit range.
std::int32_t StepValue(std::int32_t v, std::int32_t increment, bool up);

// The typed-character filter. decimalSeparator '\0' stands for a locale that gives none.
bool SpinCharAccepted(char c, char decimalSeparator, bool editorEnabled);

} // namespace controls
