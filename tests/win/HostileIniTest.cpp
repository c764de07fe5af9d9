// Settings files damaged, hand-edited or written by something else: loading them must not
// crash or overfill the lists, and the save that follows must leave a file that loads back
// to exactly the lists the user saw. Garbage is checked for what holds of any file; files
// written by hand for the very lists and file text they give, as Wine's private-profile
// functions read and write them.
#include <cstdint>
#include <iostream>

#include "win/HostileIniFixture.h"

using namespace hostileini;
using namespace std::string_literals;

namespace {

std::uint32_t Next(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

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
            for (std::uint32_t n = Next(state) % 12; n > 0; --n)
                text += static_cast<char>(Next(state) & 0xFF);
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
        for (std::uint32_t n = Next(state) % 8192; n > 0; --n)
            bytes += static_cast<char>(Next(state) & 0xFF);
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
    std::cout << "[          ] " << listsWithEntries_ << " lists loaded entries\n";
}

// A NUL ends a value, a key, a section's name or a line's content where it stands.
TEST_F(HostileIniTest, NulBytesInValuesKeysSectionNamesAndWholeFiles) {
    ExpectCases({
        {"NUL inside values",
         "[source]\r\n0=a\0b\r\n1=\0hidden\r\n2=c \0d\r\n[out]\r\n0=\0\r\n1=o\0\0\r\n"s,
         Entries{"a", "c "}, Entries{"o"}, "[source]\r\n0=a\r\n1=\"c \"\r\n[out]\r\n0=o\r\n"},
        {"NUL inside keys", "[source]\r\n0\0x=a\r\n1=b\r\n\0=c\r\n"s, Entries{"a", "b"}, Entries{},
         "[source]\r\n0=a\r\n1=b\r\n"},
        {"NUL inside a section name", "[source\0junk]\r\n0=a\r\n[out]\r\n0=o\r\n"s, Entries{"a"},
         Entries{"o"}, "[source]\r\n0=a\r\n[out]\r\n0=o\r\n"},
        // One line, the section's header: the empty list's save removes it.
        {"NUL line ends",
         "[source]\0"
         "0=a\0"
         "1=b\0"s,
         Entries{}, Entries{}, ""},
        {"only NULs", std::string(4096, '\0'), {}, {}, std::string(4096, '\0')},
    });
}

TEST_F(HostileIniTest, TenThousandKeys) {
    std::string many = "[source]\r\n";
    for (int i = 10000; i > 0; --i)
        many += std::to_string(i) + "=C:\\entry" + std::to_string(i) + "\r\n";
    many += "[out]\r\n";
    for (int i = 0; i < 10000; ++i)
        many += "k" + std::to_string(i) + "=x\r\n";
    many += "3=D:\\out.vkpak\r\n";
    // Keys 0 to 9 are read, and key 0 is missing: entries 1 to 9 move up a key.
    Entries nine;
    std::string saved = "[source]\r\n";
    for (int i = 1; i <= 9; ++i) {
        nine.push_back("C:\\entry" + std::to_string(i));
        saved += std::to_string(i - 1) + "=C:\\entry" + std::to_string(i) + "\r\n";
    }
    std::string sections;
    for (int i = 0; i < 3000; ++i)
        sections += "[s" + std::to_string(i) + "]\r\n0=v\r\n";
    const std::string ours = "[source]\r\n0=a\r\n[out]\r\n0=b\r\n";
    ExpectCases({
        {"10,000 keys around the ones read", many, nine, Entries{"D:\\out.vkpak"},
         saved + "[out]\r\n0=D:\\out.vkpak\r\n"},
        {"3,000 sections before the ones read", sections + ours, {"a"}, {"b"}, sections + ours},
    });
}

TEST_F(HostileIniTest, OneMegabyteLines) {
    const std::string mb(1 << 20, 'x');
    const std::string quarter = mb.substr(0, mb.size() / 4);
    const std::string blanks(1 << 20, ' ');
    const std::string filled = std::string(2046, 'x') + " tail";
    ExpectCases({
        {"1 MB value", "[source]\r\n0=" + mb + "\r\n1=b\r\n[out]\r\n0=o", Entries{mb, "b"},
         Entries{"o"}, "[source]\r\n0=" + mb + "\r\n1=b\r\n[out]\r\n0=o\r\n"},
        {"1 MB key", "[source]\r\n" + mb + "=v\r\n0=a\r\n", {"a"}, {}, "[source]\r\n0=a\r\n"},
        // A section of its own outlives the saves, and every write rewrites the whole file: a
        // quarter of the length keeps the run short.
        {"long section name", "[" + quarter + "]\r\n0=v\r\n[source]\r\n0=a\r\n", Entries{"a"},
         Entries{}, "[" + quarter + "]\r\n0=v\r\n[source]\r\n0=a\r\n"},
        {"1 MB line without = or line end", "[source]\r\n0=a\r\n" + mb, Entries{"a"}, Entries{},
         "[source]\r\n0=a\r\n"},
        {"1 MB of blanks as a value", "[source]\r\n0=" + blanks + "a\r\n1=b" + blanks,
         Entries{"a", "b"}, Entries{}, "[source]\r\n0=a\r\n1=b\r\n"},
        {"value with a blank where the first read buffer ends", "[source]\r\n0=" + filled + "\r\n",
         Entries{filled}, Entries{}, "[source]\r\n0=" + filled + "\r\n"},
        {"quoted 1 MB value", "[source]\r\n0=\"" + mb + "\"\r\n", Entries{mb}, Entries{},
         "[source]\r\n0=" + mb + "\r\n"},
    });
}

// Only the first copy of a section is read, letter case ignored, and the save leaves one.
TEST_F(HostileIniTest, DuplicateSectionsSaveToOneSectionThatLoadsBackTheSame) {
    ExpectCases({
        {"section twice", "[source]\r\n0=a\r\n[out]\r\n0=o\r\n[source]\r\n0=b\r\n1=c\r\n2=d\r\n",
         Entries{"a"}, Entries{"o"}, "[source]\r\n0=a\r\n[out]\r\n0=o\r\n"},
        {"section twice, other letter case", "[source]\r\n0=a\r\n[SOURCE]\r\n1=c\r\n", Entries{"a"},
         Entries{}, "[source]\r\n0=a\r\n"},
        {"section three times, first one empty",
         "[source]\r\n[source]\r\n0=a\r\n[source]\r\n0=x\r\n1=y\r\n", Entries{}, Entries{}, ""},
        {"both sections twice, interleaved",
         "[out]\r\n0=o1\r\n[source]\r\n0=s1\r\n[out]\r\n1=o2\r\n[source]\r\n1=s2\r\n",
         Entries{"s1"}, Entries{"o1"}, "[source]\r\n0=s1\r\n[out]\r\n0=o1\r\n"},
    });
}

TEST_F(HostileIniTest, CrOnlyAndLfOnlyLineEndsLoadTheSameEntries) {
    const Entries source = {"C:\\Work\\heavy", "\\\\srv\\share", "D:\\a b"};
    for (const std::string end : {"\r\n", "\r", "\n", "\n\r", "\r\r\n"}) {
        std::string text = "[source]" + end;
        for (std::size_t i = 0; i < source.size(); ++i)
            text += std::to_string(i) + "=" + source[i] + end;
        text += "[out]" + end + "0=C:\\out.vkpak"; // no line end at the end of the file
        ExpectCases({{"line ends " + Shown(end), text, source, Entries{"C:\\out.vkpak"},
                      "[source]\r\n0=C:\\Work\\heavy\r\n1=\\\\srv\\share\r\n2=D:\\a b\r\n"
                      "[out]\r\n0=C:\\out.vkpak\r\n"}});
    }
}

// Loaded entries can start or end with a blank or quote when the file quoted them or a NUL cut
// them; the save puts such an entry inside quotes of its own.
TEST_F(HostileIniTest, BlanksAndQuotesAtTheEndsOfValues) {
    ExpectCases({
        {"quoted blanks", "[source]\r\n0=\"  a  \"\r\n1=' b'\r\n2=\"\t\"\r\n3=\"\x1a\"\r\n",
         Entries{"  a  ", " b", "\t", "\x1a"}, Entries{},
         "[source]\r\n0=\"  a  \"\r\n1=\" b\"\r\n2=\"\t\"\r\n3=\"\x1a\"\r\n"},
        {"quotes in quotes", "[source]\r\n0=\"\"a\"\"\r\n1='\"b\"'\r\n2=\"\"\"\"\r\n",
         Entries{"\"a\"", "\"b\"", "\"\""}, Entries{},
         "[source]\r\n0=\"\"a\"\"\r\n1=\"\"b\"\"\r\n2=\"\"\"\"\r\n"},
        {"lone and unmatched quotes", "[source]\r\n0=\"\r\n1='\r\n2=\"a'\r\n3=a\"\r\n4=\"a\r\n",
         Entries{"\"", "'", "\"a'", "a\"", "\"a"}, Entries{},
         "[source]\r\n0=\"\r\n1='\r\n2=\"a'\r\n3=a\"\r\n4=\"a\r\n"},
        {"blank before a NUL", "[source]\r\n0=a \0b\r\n"s, {"a "}, {}, "[source]\r\n0=\"a \"\r\n"},
    });
}

TEST_F(HostileIniTest, LineBreaksInsideEntriesStayInsideTheirKey) {
    // Typing and pasting cannot put a line break into a field, but another program can set
    // such a text; what the file then holds must still be our two sections and their keys.
    const std::string path = dir_ / "breaks.ini";
    TTenEntryHistory source{"C:\\Work\\heavy"};
    TTenEntryHistory out{"C:\\a.vkpak\r\n[source]\r\n0=C:\\b", "b.vkpak\rc=d", "e.vkpak\n9=x"};
    ASSERT_NO_THROW(source.SaveToIniFile(path, "source"));
    ASSERT_NO_THROW(out.SaveToIniFile(path, "out"));
    // What a single-line field would have kept: each text up to its first line break.
    EXPECT_EQ(winfiles::ReadFileText(path), "[source]\r\n0=C:\\Work\\heavy\r\n"
                                            "[out]\r\n0=e.vkpak\r\n1=b.vkpak\r\n2=C:\\a.vkpak\r\n");
    const TRoundTrip back = LoadSaveLoad("saved with line breaks", winfiles::ReadFileText(path));
    EXPECT_EQ(back.source, Entries{"C:\\Work\\heavy"});
    EXPECT_EQ(back.out, (Entries{"e.vkpak", "b.vkpak", "C:\\a.vkpak"}));
}
