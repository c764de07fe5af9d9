#include "win/HostileIniFixture.h"

#include <cstdio>

namespace hostileini {

std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (unsigned char c : text.substr(0, 40)) {
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        }
    }
    return shown + (text.size() > 40 ? "...\" (" + std::to_string(text.size()) + " bytes)" : "\"");
}

namespace {

std::string ShownList(const Entries& entries) {
    std::string shown = "{";
    for (const std::string& e : entries)
        shown += " " + Shown(e);
    return shown + " }";
}

// Compared by hand: an entry of a megabyte must not be printed whole.
void ExpectSame(const Entries& got, const Entries& expected, const std::string& what) {
    EXPECT_TRUE(got == expected) << what << ":\n  got " << ShownList(got) << "\n  expected "
                                 << ShownList(expected);
}

} // namespace

Entries HostileIniTest::LoadAndSave(const std::string& path, const char* section,
                                    const char* when) {
    History::THistory h;
    h.SetMaxItems(kMaxItems);
    EXPECT_NO_THROW(h.LoadFromIniFile(path, section)) << when;
    EXPECT_LE(h.Count(), kMaxItems) << when;
    for (int i = 0; i < h.Count(); ++i) {
        EXPECT_FALSE(h.Item(i).empty()) << when << ": entry " << i;
        EXPECT_LE(h.Item(i).size(), kLongestEntry) << when << ": entry " << i;
    }
    EXPECT_NO_THROW(h.SaveToIniFile(path, section)) << when;
    return h.Items();
}

HostileIniTest::TRoundTrip HostileIniTest::LoadSaveLoad(const std::string& name,
                                                        const std::string& bytes) {
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

void HostileIniTest::ExpectCase(const TIniCase& c) {
    const TRoundTrip got = LoadSaveLoad(c.name, c.bytes);
    SCOPED_TRACE(c.name);
    ExpectSame(got.source, c.source, "[source]");
    ExpectSame(got.out, c.out, "[out]");
    EXPECT_TRUE(got.saved == c.saved)
        << "saved " << Shown(got.saved) << ", expected " << Shown(c.saved);
}

} // namespace hostileini
