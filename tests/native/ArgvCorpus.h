// A fixed corpus of builder inputs whose parameter string must split back into exactly the
// options and values we meant. Shared by the native test (our own splitter) and the Windows
// test (the real CommandLineToArgvW), so both judge the same strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
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
    const std::size_t pieceCount = sizeof pieces / sizeof pieces[0];
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
        for (std::uint32_t j = 0; j < length; ++j) {
            value += pieces[next() % pieceCount];
        }
        values.push_back(value);
    }
    return values;
}

// Inputs that put every value into every text field at some point, with optional texts
// sometimes left empty and the flags and priority varied.
inline std::vector<BuilderInputs> Inputs() {
    const std::vector<std::string> values = Values();
    const std::size_t n = values.size();
    const std::int32_t priorities[] = {0,  1,          3,
                                       -1, 2147483647, std::numeric_limits<std::int32_t>::min()};
    std::vector<BuilderInputs> inputs;
    inputs.push_back(BuilderInputs{"S", "O", "", "", "", "", false, false, false, 0});
    for (std::size_t i = 0; i < n; ++i) {
        auto optional = [&](std::size_t offset, std::size_t skipEvery) {
            return i % skipEvery == 0 ? std::string() : values[(i + offset) % n];
        };
        BuilderInputs in;
        in.source = values[i];
        in.output = values[(i + 1) % n];
        in.title = optional(2, 2);
        in.author = optional(3, 3);
        in.build = optional(5, 5);
        in.copyright = optional(7, 4);
        in.dev = (i & 1) != 0;
        in.mpXfer = (i & 2) != 0;
        in.isProtected = (i & 4) != 0;
        in.priority = priorities[i % (sizeof priorities / sizeof priorities[0])];
        inputs.push_back(in);
    }
    return inputs;
}

// The arguments the builder must receive for the inputs, in order.
inline std::vector<std::string> ExpectedArguments(const BuilderInputs& in) {
    std::vector<std::string> args = {"-source", in.source, "-out", in.output};
    auto text = [&args](const char* option, const std::string& value) {
        if (!value.empty()) {
            args.push_back(option);
            args.push_back(value);
        }
    };
    text("-title", in.title);
    text("-author", in.author);
    text("-build", in.build);
    text("-copyright", in.copyright);
    if (in.dev) {
        args.push_back("-flagdev");
    }
    if (in.mpXfer) {
        args.push_back("-flagmpxfer");
    }
    if (in.isProtected) {
        args.push_back("-flagprotected");
    }
    if (in.priority > 0) {
        args.push_back("-priority");
        args.push_back(std::to_string(in.priority));
    }
    args.push_back("-waitonexit");
    return args;
}

} // namespace argv_corpus
