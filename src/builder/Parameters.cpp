#include "builder/Parameters.h"

#include <cstddef>

std::string QuoteArgument(const std::string& value, LeadByteTest isLead) {
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

void AppendText(std::string& out, const char* option, const std::string& value,
                LeadByteTest isLead) {
    if (value.empty()) {
        return;
    }
    out += ' ';
    out += option;
    out += ' ';
    out += QuoteArgument(value, isLead);
}

} // namespace

std::string BuildParameters(const BuilderInputs& inputs, LeadByteTest isLead) {
    std::string out = "-source " + QuoteArgument(inputs.source, isLead);
    out += " -out " + QuoteArgument(inputs.output, isLead);
    AppendText(out, "-title", inputs.title, isLead);
    AppendText(out, "-author", inputs.author, isLead);
    AppendText(out, "-build", inputs.build, isLead);
    AppendText(out, "-copyright", inputs.copyright, isLead);
    if (inputs.dev) {
        out += " -flagdev";
    }
    if (inputs.mpXfer) {
        out += " -flagmpxfer";
    }
    if (inputs.isProtected) {
        out += " -flagprotected";
    }
    if (inputs.priority > 0) {
        out += " -priority " + std::to_string(inputs.priority);
    }
    out += " -waitonexit";
    return out;
}

bool FitsOnCommandLine(const std::string& builderPath, const std::string& parameters) {
    constexpr std::size_t kMaxCommandLine = 32767;
    return builderPath.size() + 3 + parameters.size() + 1 <= kMaxCommandLine;
}
