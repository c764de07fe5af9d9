// A stand-in for the system's lead-byte test, so the double-byte paths run on any host.
#pragma once

// A double-byte code page in which every byte from 0x81 is a lead byte; the byte after it
// may be anything, '\\' and '.' included.
inline bool TestLead(unsigned char c) {
    return c >= 0x81;
}
