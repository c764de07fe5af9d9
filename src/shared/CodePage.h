// Multibyte awareness for the Windows-free code. Texts are in the system's ANSI code page;
// on a double-byte code page a trail byte may look like '\\' or '.', so scans must step
// over whole characters. The Win32 layer passes the system's lead-byte test; tests pass
// their own.
#pragma once

#include <cstddef>
#include <string>

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
