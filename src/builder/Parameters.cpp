#include "builder/Parameters.h"

#include <cstddef>

std::string QuoteArgument(const std::string& value) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : value) {
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

void AppendText(std::string& out, const char* option, const std::string& value) {
    if (value.empty()) {
        return;
    }
    out += ' ';
    out += option;
    out += ' ';
    out += QuoteArgument(value);
}

} // namespace

std::string BuildParameters(const BuilderInputs& inputs) {
    std::string out = "-source " + QuoteArgument(inputs.source);
    out += " -out " + QuoteArgument(inputs.output);
    AppendText(out, "-title", inputs.title);
    AppendText(out, "-author", inputs.author);
    AppendText(out, "-build", inputs.build);
    AppendText(out, "-copyright", inputs.copyright);
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
