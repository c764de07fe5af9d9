// The parameter string handed to the builder VKB.exe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shared/CodePage.h"

namespace builder {

// When an option goes onto the command line, and how its value is written there.
enum class TArgRule {
    Always,     // -name "text", even when the text is empty
    IfNotEmpty, // -name "text", when the text has a character
    IfChecked,  // -name alone, when checked
    IfPositive, // -name number, when the number is greater than 0
};

// Whether the option's value is a text, quoted after its name.
constexpr bool TakesText(TArgRule rule) {
    return rule == TArgRule::Always || rule == TArgRule::IfNotEmpty;
}

// The switches of the two paths that every command line carries.
inline constexpr const char* kSourceSwitch = "-source";
inline constexpr const char* kOutputSwitch = "-out";

// One option of the builder's command line with the value read for it from its field, from
// the reading through the checks to the parameter string; which member counts follows from
// the rule.
struct TBuilderArgument {
    const char* name = "";
    TArgRule rule = TArgRule::Always;
    // Absent when the field holds a character the ANSI code page cannot represent.
    std::optional<std::string> text = std::string();
    bool checked = false;
    std::int32_t number = 0;
    const char* label = ""; // the field's label, which names it in a message
    int field = 0;          // the id of the field it is read from, which a refusal points to
};

// Everything the builder is given: the two paths that every command line carries, first,
// then the options in the order of the window's fields.
struct TBuilderArguments {
    TBuilderArgument source{kSourceSwitch};
    TBuilderArgument output{kOutputSwitch};
    std::vector<TBuilderArgument> options;
};

// The value as one double-quoted argument that the MS C runtime and CommandLineToArgvW
// split back to exactly the value. Values without a double quote and without a trailing
// backslash come out as the plain value in quotes.
std::string QuoteArgument(const std::string& value,
                          shared::LeadByteTest isLead = shared::NoLeadBytes);

// The source, the output and the options in their order, each by its rule, then -waitonexit.
// An absent text is written as an empty one; callers refuse it first.
std::string BuildParameters(const TBuilderArguments& arguments,
                            shared::LeadByteTest isLead = shared::NoLeadBytes);

// Whether the builder can be started with these parameters: the system passes at most
// 32767 characters, the terminating zero included, as the quoted path, a blank and the
// parameters. A longer line would be cut, and the builder would get other values.
bool FitsOnCommandLine(const std::string& builderPath, const std::string& parameters);

} // namespace builder
