// How a Windows program splits its command line into arguments (the rules of the MS C
// runtime and CommandLineToArgvW, as Wine implements them), for the part after the program
// name. Tests use it to read our parameter string back the way the builder will.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace argv_split {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && IsBlank(line[i]))
        ++i;
    if (i == n)
        return args;
    std::string arg;
    int quotes = 0; // 1 while inside quotes; counts runs of quotes up to 3
    std::size_t backslashes = 0;
    while (i < n) {
        const char c = line[i];
        if (IsBlank(c) && quotes == 0) {
            args.push_back(arg);
            arg.clear();
            backslashes = 0;
            while (i < n && IsBlank(line[i]))
                ++i;
            if (i == n) {
                return args; // trailing blanks start no argument
            }
            continue;
        }
        ++i;
        if (c == '\\') {
            arg += c;
            ++backslashes;
            continue;
        }
        if (c != '"') {
            arg += c;
            backslashes = 0;
            continue;
        }
        if (backslashes % 2 == 0) {
            // 2n backslashes and a quote: n backslashes, and the quote opens or closes.
            arg.resize(arg.size() - backslashes / 2);
            ++quotes;
        } else {
            // 2n+1 backslashes and a quote: n backslashes and a literal quote.
            arg.resize(arg.size() - backslashes / 2 - 1);
            arg += '"';
        }
        backslashes = 0;
        // Runs of quotes: every third one is literal.
        while (i < n && line[i] == '"') {
            if (++quotes == 3) {
                arg += '"';
                quotes = 0;
            }
            ++i;
        }
        if (quotes == 2)
            quotes = 0;
    }
    args.push_back(arg);
    return args;
}

} // namespace argv_split
