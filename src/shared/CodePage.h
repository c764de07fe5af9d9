// Multibyte awareness for the Windows-free code. Texts are in the system's ANSI code page;
// on a double-byte code page a trail byte may look like '\\' or '.', so scans must step
// over whole characters. The Win32 layer passes the system's lead-byte test; tests pass
// their own.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace shared {

using LeadByteTest = bool (*)(unsigned char);

inline bool NoLeadBytes(unsigned char) {
    return false;
}

// Byte offsets at which characters start, in order.
template <typename Visit>
void ForEachCharStart(const std::string& s, LeadByteTest isLead, Visit visit) {
    for (std::size_t i = 0; i < s.size();) {
        visit(i);
        i += (isLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
    }
}

// Whether the character at offset i (a character's start) is one of `chars`.
inline bool CharIsOneOf(const std::string& text, std::size_t i, const char* chars) {
    return text[i] != '\0' && std::strchr(chars, text[i]) != nullptr;
}

// The one walk behind every path rule, each with its own separators: the offset just past the
// last character that is one of `chars`, or 0 when there is none. A trail byte that looks
// like '\\' or '.' is never taken for one.
inline std::size_t AfterLastOf(const std::string& text, const char* chars, LeadByteTest isLead) {
    std::size_t after = 0;
    ForEachCharStart(text, isLead, [&](std::size_t i) {
        if (CharIsOneOf(text, i, chars))
            after = i + 1;
    });
    return after;
}

// The offset of the first character that is one of `chars`, or npos.
inline std::size_t FirstOf(const std::string& text, const char* chars, LeadByteTest isLead) {
    std::size_t first = std::string::npos;
    ForEachCharStart(text, isLead, [&](std::size_t i) {
        if (first == std::string::npos && CharIsOneOf(text, i, chars))
            first = i;
    });
    return first;
}

} // namespace shared
