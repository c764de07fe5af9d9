// Settings files damaged, hand-edited or written by something else, loaded into both lists,
// saved and loaded again: the fixture the hostile settings-file tests share, with the checks
// that hold for any file, and the cases written by hand with what they must give.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "History/History.h"
#include "helpers/WinFiles.h"
#include "win/WinTestSupport.h"

namespace hostileini {

using Entries = std::vector<std::string>;

constexpr int kMaxItems = 10;
// Entries are read whole up to the reader's own bound.
constexpr std::size_t kLongestEntry = 1u << 26;

// A text for a failure message: its first bytes, unprintable ones in hex, and its length.
std::string Shown(const std::string& text);

// A file written by hand, and what must come of it: both lists as loaded, newest first, and
// the file once both were saved.
struct TIniCase {
    std::string name;
    std::string bytes;
    Entries source, out;
    std::string saved;
};

class HostileIniTest : public ::testing::Test {
protected:
    // Both lists as loaded from the file, and the file once they were saved.
    struct TRoundTrip {
        Entries source, out;
        std::string saved;
    };

    // Loads both lists from the bytes and saves them, then does it again. On any file the
    // lists hold at most ten entries, none empty; loaded again, the saved lists are the same,
    // and saving them again leaves the file as it was. Each call gets a file of its own: the
    // system caches files by name.
    TRoundTrip LoadSaveLoad(const std::string& name, const std::string& bytes);
    // The round trip of a file written by hand, against what it must give.
    void ExpectCase(const TIniCase& c);

    winfiles::TempDir dir_{"vesk-hostile"};
    int files_ = 0;
    int listsWithEntries_ = 0;

private:
    Entries LoadAndSave(const std::string& path, const char* section, const char* when);
};

} // namespace hostileini
