// Settings files damaged, hand-edited or written by something else, loaded into both lists,
// saved and loaded again: the fixture the hostile settings-file tests share, with the checks
// that hold for any file, and the cases written by hand with what they must give.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "helpers/WinFiles.h"
#include "win/WinTestSupport.h"

namespace hostileini {

using Entries = std::vector<std::string>;

// Entries are read whole up to the reader's own bound.
constexpr std::size_t kLongestEntry = 1u << 26;

// A text for a failure message: its first bytes, unprintable ones in hex, and its length.
inline std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (unsigned char c : text.substr(0, 40)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c >= 32 && c < 127 ? "%c" : "\\x%02X", c);
        shown += hex;
    }
    return shown + (text.size() > 40 ? "...\" (" + std::to_string(text.size()) + " bytes)" : "\"");
}

inline std::string ShownList(const Entries& entries) {
    std::string shown = "{";
    for (const std::string& e : entries)
        shown += " " + Shown(e);
    return shown + " }";
}

// Compared by hand: an entry of a megabyte must not be printed whole.
inline void ExpectSame(const Entries& got, const Entries& expected, const std::string& what) {
    EXPECT_TRUE(got == expected) << what << ":\n  got " << ShownList(got) << "\n  expected "
                                 << ShownList(expected);
}

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
    TRoundTrip LoadSaveLoad(const std::string& name, const std::string& bytes) {
        SCOPED_TRACE(name);
        const std::string path = dir_ / (std::to_string(++files_) + ".ini");
        WriteRaw(path, bytes);
        TRoundTrip first;
        first.source = LoadAndSave(path, "source", "first load");
        first.out = LoadAndSave(path, "out", "first load");
        first.saved = winfiles::ReadFileText(path);
        listsWithEntries_ += (first.source.empty() ? 0 : 1) + (first.out.empty() ? 0 : 1);

        ExpectSame(LoadAndSave(path, "source", "load after save"), first.source, "[source] again");
        ExpectSame(LoadAndSave(path, "out", "load after save"), first.out, "[out] again");
        const std::string again = winfiles::ReadFileText(path);
        EXPECT_TRUE(again == first.saved)
            << "saved once " << Shown(first.saved) << ", twice " << Shown(again);
        return first;
    }

    // The round trip of each file written by hand, against what it must give.
    void ExpectCases(const std::vector<TIniCase>& cases) {
        for (const TIniCase& c : cases) {
            const TRoundTrip got = LoadSaveLoad(c.name, c.bytes);
            SCOPED_TRACE(c.name);
            ExpectSame(got.source, c.source, "[source]");
            ExpectSame(got.out, c.out, "[out]");
            EXPECT_TRUE(got.saved == c.saved)
                << "saved " << Shown(got.saved) << ", expected " << Shown(c.saved);
        }
    }

    winfiles::TempDir dir_{"vesk-hostile"};
    int files_ = 0;
    int listsWithEntries_ = 0;

private:
    static Entries LoadAndSave(const std::string& path, const char* section, const char* when) {
        TTenEntryHistory h;
        EXPECT_NO_THROW(h.LoadFromIniFile(path, section)) << when;
        EXPECT_LE(h.Count(), 10) << when;
        for (int i = 0; i < h.Count(); ++i) {
            EXPECT_FALSE(h.Item(i).empty()) << when << ": entry " << i;
            EXPECT_LE(h.Item(i).size(), kLongestEntry) << when << ": entry " << i;
        }
        EXPECT_NO_THROW(h.SaveToIniFile(path, section)) << when;
        return h.Items();
    }
};

} // namespace hostileini
