// Settings files damaged, hand-edited or written by something else: loading them must not
// crash or overfill the lists, and the save that follows must leave a file that loads back
// to exactly the lists the user saw.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "History/History.h"
#include "History/IniFile.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"
#include "win/IniFormat.h"
#include "win/WinTestSupport.h"

namespace {

using Entries = std::vector<std::string>;

constexpr int kMaxItems = 10;
// Longest value TIniFile reads back whole.
// Entries are read whole up to the reader's own bound.
constexpr std::size_t kLongestEntry = 1u << 26;
const char* const kSections[] = {"source", "out"};

std::uint32_t Next(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

using namespace inifmt;

class HostileIniTest : public ::testing::Test {
protected:
    static void ExpectSane(const THistory& h, const char* when) {
        EXPECT_LE(h.Count(), kMaxItems) << when;
        for (int i = 0; i < h.Count(); ++i) {
            EXPECT_FALSE(h.Item(i).empty()) << when << ": entry " << i;
            EXPECT_LE(h.Item(i).size(), kLongestEntry) << when << ": entry " << i;
        }
    }

    // Loads both lists from the bytes, saves them, checks the saved file's sections and
    // loads again. Each call gets a file of its own: the system caches files by name.
    void LoadSaveLoad(const std::string& name, const std::string& bytes) {
        SCOPED_TRACE(name);
        const std::string path = dir_ / (std::to_string(++files_) + ".ini");
        WriteRaw(path, bytes);

        Entries loaded[2];
        for (int s = 0; s < 2; ++s) {
            THistory h;
            h.SetMaxItems(kMaxItems);
            ASSERT_NO_THROW(h.LoadFromIniFile(path, kSections[s]));
            ExpectSane(h, "first load");
            loaded[s] = h.Items();
            listsWithEntries_ += h.Count() > 0 ? 1 : 0;
            ASSERT_NO_THROW(h.SaveToIniFile(path, kSections[s]));
        }
        const std::string saved = winfiles::ReadFileText(path);
        for (int s = 0; s < 2; ++s) {
            const int count = static_cast<int>(loaded[s].size());
            const std::string problem = SectionProblem(saved, kSections[s], count);
            EXPECT_TRUE(problem.empty()) << problem;

            THistory back;
            back.SetMaxItems(kMaxItems);
            ASSERT_NO_THROW(back.LoadFromIniFile(path, kSections[s]));
            ExpectSane(back, "load after save");
            const Entries reloaded = back.Items();
            if (reloaded == loaded[s]) {
                continue;
            }
            // The one tolerated difference: entries whose ends the format cannot hold.
            EXPECT_EQ(reloaded, AsTheFormatGivesItBack(loaded[s]))
                << "[" << kSections[s] << "] loaded:" << Shown(loaded[s])
                << "\n  after save and load:" << Shown(reloaded);
            ++changedByTheFormat_;
        }
    }

    winfiles::TempDir dir_{"vesk-hostile"};
    int files_ = 0;
    int changedByTheFormat_ = 0;
    int listsWithEntries_ = 0;
};

// Section headers, keys, line ends and quotes mixed with runs of arbitrary bytes, so that
// the parser meets both the structure it knows and garbage inside it.
std::string HostileText(std::uint32_t& state, std::size_t pieces, bool headers) {
    static const char* const fragments[] = {
        "\r\n",    "\r",         "\n",         "\n\r",         "0=",
        "1=",      "2=",         "9=",         "10=",          " 3 = ",
        "=",       "[",          "]",          "[other]",      "\"",
        "'",       " ",          "\t",         "\v",           "\x1a",
        ";",       "C:\\Work\\", "\\\\srv\\x", "\xE9\xFF\x80", "\xEF\xBB\xBF",
        "\xFF\xFE"};
    const std::size_t fragmentCount = sizeof fragments / sizeof fragments[0];
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::uint32_t r = Next(state);
        if (headers && i % 40 == 0 && (r & 0x100) != 0) {
            // Each list's section at most once: duplicates have a test of their own.
            text += i == 0 ? "[source]\r\n" : (i == 40 ? "\r\n[out]\r\n" : "");
        }
        if (r % 4 == 0) {
            for (std::uint32_t n = Next(state) % 12; n > 0; --n) {
                text += static_cast<char>(Next(state) & 0xFF);
            }
        } else if (r % 16 == 1) {
            text += '\0';
        } else {
            text += fragments[r % fragmentCount];
        }
    }
    return text;
}

} // namespace

TEST_F(HostileIniTest, RandomBytesAndBrokenStructure) {
    std::uint32_t state = 0x9E3779B9u;
    for (int i = 0; i < 30; ++i) {
        std::string bytes;
        for (std::uint32_t n = Next(state) % 8192; n > 0; --n) {
            bytes += static_cast<char>(Next(state) & 0xFF);
        }
        LoadSaveLoad("random bytes " + std::to_string(i), bytes);
    }
    for (int i = 0; i < 40; ++i) {
        const bool headers = i % 8 != 7;
        LoadSaveLoad("broken structure " + std::to_string(i),
                     HostileText(state, 50 + Next(state) % 400, headers));
    }
    LoadSaveLoad("byte-order mark of UTF-16 and garbage",
                 "\xFF\xFE" + HostileText(state, 200, true));
    LoadSaveLoad("byte-order mark of UTF-8 and garbage",
                 "\xEF\xBB\xBF" + HostileText(state, 200, true));
    // Garbage that never reaches the parser's structure would prove little.
    EXPECT_GE(listsWithEntries_, 20);
    std::cout << "[          ] " << listsWithEntries_ << " lists loaded entries, "
              << changedByTheFormat_ << " came back changed the way the format changes values\n";
}

TEST_F(HostileIniTest, NulBytesInValuesKeysSectionNamesAndWholeFiles) {
    using namespace std::string_literals;
    LoadSaveLoad("NUL inside values", "[source]\r\n0=a\0b\r\n1=\0hidden\r\n2=c \0d\r\n"
                                      "[out]\r\n0=\0\r\n1=o\0\0\r\n"s);
    LoadSaveLoad("NUL inside keys", "[source]\r\n0\0x=a\r\n1=b\r\n\0=c\r\n"s);
    LoadSaveLoad("NUL inside a section name", "[source\0junk]\r\n0=a\r\n[out]\r\n0=o\r\n"s);
    LoadSaveLoad("NUL line ends", "[source]\0"
                                  "0=a\0"
                                  "1=b\0"s);
    LoadSaveLoad("only NULs", std::string(4096, '\0'));
}

TEST_F(HostileIniTest, TenThousandKeys) {
    std::string many = "[source]\r\n";
    for (int i = 10000; i > 0; --i) {
        many += std::to_string(i) + "=C:\\entry" + std::to_string(i) + "\r\n";
    }
    many += "[out]\r\n";
    for (int i = 0; i < 10000; ++i) {
        many += "k" + std::to_string(i) + "=x\r\n";
    }
    many += "3=D:\\out.vkpak\r\n";
    LoadSaveLoad("10,000 keys around the ones read", many);

    std::string sections;
    for (int i = 0; i < 3000; ++i) {
        sections += "[s" + std::to_string(i) + "]\r\n0=v\r\n";
    }
    LoadSaveLoad("3,000 sections before the ones read",
                 sections + "[source]\r\n0=a\r\n[out]\r\n0=b\r\n");
}

TEST_F(HostileIniTest, OneMegabyteLines) {
    const std::string mb(1 << 20, 'x');
    std::string blanks(1 << 20, ' ');
    LoadSaveLoad("1 MB value", "[source]\r\n0=" + mb + "\r\n1=b\r\n[out]\r\n0=o");
    LoadSaveLoad("1 MB key", "[source]\r\n" + mb + "=v\r\n0=a\r\n");
    // A section of its own outlives the saves, and every write rewrites the whole file: a
    // quarter of the length keeps the run short.
    LoadSaveLoad("long section name",
                 "[" + mb.substr(0, mb.size() / 4) + "]\r\n0=v\r\n[source]\r\n0=a\r\n");
    LoadSaveLoad("1 MB line without = or line end", "[source]\r\n0=a\r\n" + mb);
    LoadSaveLoad("1 MB of blanks as a value", "[source]\r\n0=" + blanks + "a\r\n1=b" + blanks);
    LoadSaveLoad("value with a blank where the first read buffer ends",
                 "[source]\r\n0=" + std::string(2046, 'x') + " tail\r\n");
    LoadSaveLoad("quoted 1 MB value", "[source]\r\n0=\"" + mb + "\"\r\n");
}

TEST_F(HostileIniTest, DuplicateSectionsSaveToOneSectionThatLoadsBackTheSame) {
    LoadSaveLoad("section twice", "[source]\r\n0=a\r\n[out]\r\n0=o\r\n"
                                  "[source]\r\n0=b\r\n1=c\r\n2=d\r\n");
    LoadSaveLoad("section twice, other letter case", "[source]\r\n0=a\r\n[SOURCE]\r\n1=c\r\n");
    LoadSaveLoad("section three times, first one empty",
                 "[source]\r\n[source]\r\n0=a\r\n[source]\r\n0=x\r\n1=y\r\n");
    LoadSaveLoad("both sections twice, interleaved",
                 "[out]\r\n0=o1\r\n[source]\r\n0=s1\r\n[out]\r\n1=o2\r\n[source]\r\n1=s2\r\n");
}

TEST_F(HostileIniTest, CrOnlyAndLfOnlyLineEndsLoadTheSameEntries) {
    const Entries source = {"C:\\Work\\heavy", "\\\\srv\\share", "D:\\a b"};
    const Entries out = {"C:\\out.vkpak"};
    const std::string ends[] = {"\r\n", "\r", "\n", "\n\r", "\r\r\n"};
    for (const std::string& end : ends) {
        std::string text = "[source]" + end;
        for (std::size_t i = 0; i < source.size(); ++i) {
            text += std::to_string(i) + "=" + source[i] + end;
        }
        text += "[out]" + end + "0=" + out[0]; // no line end at the end of the file
        const std::string path = dir_ / ("ends" + std::to_string(++files_) + ".ini");
        WriteRaw(path, text);
        THistory s, o;
        s.SetMaxItems(kMaxItems);
        o.SetMaxItems(kMaxItems);
        s.LoadFromIniFile(path, "source");
        o.LoadFromIniFile(path, "out");
        EXPECT_EQ(s.Items(), source) << Shown({end});
        EXPECT_EQ(o.Items(), out) << Shown({end});
        LoadSaveLoad("line ends" + Shown({end}), text);
    }
}

TEST_F(HostileIniTest, BlanksAndQuotesAtTheEndsOfValues) {
    // Loaded entries can start or end with a blank or quote when the file quoted them, when
    // a NUL cut them, or when they were cut at the longest length read.
    LoadSaveLoad("quoted blanks",
                 "[source]\r\n0=\"  a  \"\r\n1=' b'\r\n2=\"\t\"\r\n3=\"\x1a\"\r\n");
    LoadSaveLoad("quotes in quotes", "[source]\r\n0=\"\"a\"\"\r\n1='\"b\"'\r\n2=\"\"\"\"\r\n");
    LoadSaveLoad("lone and unmatched quotes",
                 "[source]\r\n0=\"\r\n1='\r\n2=\"a'\r\n3=a\"\r\n4=\"a\r\n");
    LoadSaveLoad("blank before a NUL", std::string("[source]\r\n0=a \0b\r\n", 18));
    std::cout << "[          ] " << changedByTheFormat_
              << " lists came back changed the way the format changes values\n";
}

TEST_F(HostileIniTest, LineBreaksInsideEntriesStayInsideTheirKey) {
    // Typing and pasting cannot put a line break into a field, but another program can set
    // such a text; what the file then holds must still be our two sections and their keys.
    const std::string path = dir_ / "breaks.ini";
    THistory source, out;
    source.SetMaxItems(kMaxItems);
    out.SetMaxItems(kMaxItems);
    source.Add("C:\\Work\\heavy");
    const Entries written = {"e.vkpak\n9=x", "b.vkpak\rc=d", "C:\\a.vkpak\r\n[source]\r\n0=C:\\b"};
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
        out.Add(*it);
    }
    ASSERT_NO_THROW(source.SaveToIniFile(path, "source"));
    ASSERT_NO_THROW(out.SaveToIniFile(path, "out"));

    const std::string saved = winfiles::ReadFileText(path);
    for (const auto& [section, count] : {std::pair<const char*, int>{"source", 1}, {"out", 3}}) {
        const std::string problem = SectionProblem(saved, section, count);
        EXPECT_TRUE(problem.empty()) << problem;
    }
    THistory sourceBack, outBack;
    sourceBack.SetMaxItems(kMaxItems);
    outBack.SetMaxItems(kMaxItems);
    sourceBack.LoadFromIniFile(path, "source");
    outBack.LoadFromIniFile(path, "out");
    EXPECT_EQ(sourceBack.Items(), Entries{"C:\\Work\\heavy"});
    // What a single-line field would have kept: each text up to its first line break.
    EXPECT_EQ(outBack.Items(), (Entries{"e.vkpak", "b.vkpak", "C:\\a.vkpak"}));
}
