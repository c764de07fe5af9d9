// How the private-profile functions write and read back a settings file, as the hostile
// settings-file tests check it: the file's text in its encoding, its sections and keys, and
// what the format does to the ends of a value.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "helpers/WinProcess.h"

namespace inifmt {

using Entries = std::vector<std::string>;
using winproc::Widen;

// The file as text, in whichever encoding its byte-order mark names (the private-profile
// functions keep a file's encoding when they rewrite it).
inline std::wstring DecodeIni(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return Widen(bytes.substr(3), CP_UTF8);
    }
    const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (little || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        std::wstring w;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            w += static_cast<wchar_t>(little ? (b << 8 | a) : (a << 8 | b));
        }
        return w;
    }
    return Widen(bytes, CP_ACP);
}

inline std::wstring TrimBlanks(const std::wstring& s) {
    const wchar_t* const blanks = L" \t\v\f\x1a";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::wstring::npos) {
        return std::wstring();
    }
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// A section header "[name]" names a section up to its first NUL, letter case ignored.
inline bool IsHeaderOf(const std::wstring& line, const std::string& section) {
    if (line.size() < 2 || line.front() != L'[' || line.back() != L']') {
        return false;
    }
    std::wstring name = TrimBlanks(line.substr(1, line.size() - 2));
    name = name.substr(0, name.find(L'\0'));
    const std::wstring wanted(section.begin(), section.end());
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(),
                          static_cast<int>(name.size()), wanted.c_str(),
                          static_cast<int>(wanted.size())) == CSTR_EQUAL;
}

// Empty unless the saved file holds the section exactly once (not at all for an empty
// list) with the keys "0" to count-1 in order and nothing else.
inline std::string SectionProblem(const std::string& fileBytes, const std::string& section,
                                  int count) {
    std::vector<std::wstring> lines;
    std::wstring current;
    for (wchar_t c : DecodeIni(fileBytes) + L"\n") {
        if (c == L'\r' || c == L'\n') {
            current = TrimBlanks(current);
            if (!current.empty()) {
                lines.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    int headers = 0;
    std::size_t body = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsHeaderOf(lines[i], section)) {
            ++headers;
            body = i + 1;
        }
    }
    if (headers != (count > 0 ? 1 : 0)) {
        return "[" + section + "] appears " + std::to_string(headers) + " times";
    }
    int key = 0;
    for (std::size_t i = body; headers > 0 && i < lines.size() && lines[i][0] != L'['; ++i) {
        const std::wstring expected = std::to_wstring(key) + L"=";
        if (lines[i].compare(0, expected.size(), expected) != 0) {
            return "[" + section + "] line " + std::to_string(key) + " is not key " +
                   std::to_string(key);
        }
        ++key;
    }
    if (headers > 0 && key != count) {
        return "[" + section + "] holds " + std::to_string(key) + " keys for " +
               std::to_string(count) + " entries";
    }
    return std::string();
}

// What the private-profile functions give back for a value written as it is: blanks
// (space, tab, \v, \f and ^Z) trimmed at both ends, then one pair of matching surrounding
// quotes, single or double, taken off.
inline std::string AsTheFormatGivesItBack(const std::string& value) {
    const char* const blanks = " \t\v\f\x1a";
    const std::size_t first = value.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    std::string v = value.substr(first, value.find_last_not_of(blanks) - first + 1);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

inline Entries AsTheFormatGivesItBack(const Entries& entries) {
    Entries out;
    for (const std::string& e : entries) {
        const std::string back = AsTheFormatGivesItBack(e);
        if (!back.empty()) {
            out.push_back(back);
        }
    }
    return out;
}

inline std::string Shown(const Entries& entries) {
    std::string out;
    for (const std::string& e : entries) {
        std::string shown;
        for (unsigned char c : e.substr(0, 40)) {
            if (c >= 32 && c < 127) {
                shown += static_cast<char>(c);
            } else {
                char hex[8];
                snprintf(hex, sizeof hex, "\\x%02X", c);
                shown += hex;
            }
        }
        out += " [" + shown + (e.size() > 40 ? "...(" + std::to_string(e.size()) + ")" : "") + "]";
    }
    return out;
}

} // namespace inifmt
