// A fixed corpus of texts whose parameter string must split back into exactly the options
// and values we meant. Shared by the native test (our own splitter) and the Windows
// test (the real CommandLineToArgvW), so both judge the same strings.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "helpers/BuilderInputs.h"

namespace argv_corpus {

// Texts that stress the quoting: quotes, backslash runs (inside, before a quote, at the
// end), blanks, tabs, "%", and every byte from 128 to 255. None is empty.
inline std::vector<std::string> Values() {
    std::vector<std::string> values = {
        "S",
        "C:\\",
        "C:\\Work\\heavy",
        "C:\\Work\\heavy\\",
        "\\\\server\\share\\",
        "\\\\server\\share\\out.vkpak",
        "C:\\My Files\\a b.vkpak",
        "x\" -flagdev -source \"C:\\",
        "\"",
        "\"\"",
        "\"\"\"",
        "\\",
        "\\\\",
        "\\\\\\",
        "\\\"",
        "\\\\\"",
        "a\\\\\\\"b",
        "\"quoted\"",
        " ",
        "   ",
        "\t",
        " lead and trail ",
        "tab\there",
        "%",
        "%s%d%n",
        "100%",
        "%PATH%",
        "-waitonexit",
        "-source",
        "'single'",
        "semi;colon&amp|pipe<lt>gt^caret",
        "\"\\ \\\" \t\"\\",
    };
    values.push_back(AllHighBytes());

    // Random mixtures of the same ingredients, from a fixed seed.
    const char* const pieces[] = {"\"", "\\", "\\\\", "\\\\\\", " ",    "\t",   "%",    "a",
                                  "Z",  "C:", ".",    "-",      "\xE9", "\x80", "\xFF", "\xA0"};
    std::uint32_t state = 0x2545F491u;
    auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (int k = 0; k < 200; ++k) {
        std::string value;
        const std::uint32_t length = 1 + next() % 12;
        for (std::uint32_t j = 0; j < length; ++j)
            value += pieces[next() % std::size(pieces)];
        values.push_back(value);
    }
    return values;
}

// Every text field holding the value, and what the builder must then receive, written out:
// the quoting is what the corpus tries, and the order of the options and when each is given
// have literal tests of their own, so no rule of theirs is worked out again here.
inline BuilderInputs InEveryText(const std::string& value) {
    return BuilderInputs{value, value, value, value, value, value};
}
inline std::vector<std::string> EveryTextArguments(const std::string& value) {
    return {"-source", value,    "-out", value,        "-title", value,        "-author",
            value,     "-build", value,  "-copyright", value,    "-waitonexit"};
}

} // namespace argv_corpus
