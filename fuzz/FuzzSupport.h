// Shared by the fuzz targets: a failed invariant must stop the run the way a sanitizer
// report does, so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "shared/CodePage.h"

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// Lead bytes of the double-byte code pages the Windows-free code must step through: none,
// Shift-JIS (its trail bytes include '\\' and '.'), GBK, and every byte from 128.
inline bool ShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
inline bool GbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
inline bool HighLead(unsigned char c) {
    return c >= 0x80;
}

inline shared::LeadByteTest PickLeadByteTest(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
    case 1:
        return ShiftJisLead;
    case 2:
        return GbkLead;
    case 3:
        return HighLead;
    default:
        return shared::NoLeadBytes;
    }
}

// Which bytes of s start a character. Written out again rather than taken from
// ForEachCharStart, so the targets do not judge the code by its own walk.
inline std::vector<bool> CharacterStarts(const std::string& s, shared::LeadByteTest isLead) {
    std::vector<bool> starts(s.size(), false);
    for (std::size_t i = 0; i < s.size(); ++i) {
        starts[i] = true;
        if (isLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
        }
    }
    return starts;
}

} // namespace fuzz
