#include "builder/Parameters.h"

#include <cstddef>

namespace builder {

std::string QuoteArgument(const std::string& value, shared::LeadByteTest isLead) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        // A double-byte character whose trail byte looks like '\\' or '"' is neither: the
        // builder's parser reads it as one character.
        if (isLead(static_cast<unsigned char>(c)) && i + 1 < value.size()) {
            quoted.append(backslashes, '\\');
            backslashes = 0;
            quoted += c;
            quoted += value[++i];
            continue;
        }
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // Each backslash doubled, then one more to escape the quote itself.
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        quoted += c;
        backslashes = 0;
    }
    // A backslash run before the closing quote would escape it unless doubled.
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return quoted;
}

namespace {

bool Included(const TBuilderArgument& argument) {
    switch (argument.rule) {
    case TArgRule::Always:
        return true;
    case TArgRule::IfNotEmpty:
        return argument.text && !argument.text->empty();
    case TArgRule::IfChecked:
        return argument.checked;
    case TArgRule::IfPositive:
        return argument.number > 0;
    }
    return false;
}

} // namespace

std::string BuildParameters(const TBuilderArguments& arguments, shared::LeadByteTest isLead) {
    std::string out;
    auto append = [&](const TBuilderArgument& argument) {
        if (!Included(argument))
            return;
        out += argument.name;
        if (TakesText(argument.rule))
            out += ' ' + QuoteArgument(argument.text.value_or(""), isLead);
        else if (argument.rule == TArgRule::IfPositive)
            out += ' ' + std::to_string(argument.number);
        out += ' ';
    };
    append(arguments.source);
    append(arguments.output);
    for (const TBuilderArgument& option : arguments.options)
        append(option);
    return out + "-waitonexit";
}

bool FitsOnCommandLine(const std::string& builderPath, const std::string& parameters) {
    constexpr std::size_t kMaxCommandLine = 32767;
    return builderPath.size() + 3 + parameters.size() + 1 <= kMaxCommandLine;
}

} // namespace builder
