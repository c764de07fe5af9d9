// The settings file on real files, through the system's private-profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "History/History.h"
#include "History/IniFile.h"
#include "shared/Exceptions.h"
#include "helpers/WinFiles.h"
#include "win/WinTestSupport.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::string ReadRaw() const { return winfiles::ReadFileText(path_); }
    bool Exists() const { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string Read(const std::string& section, const std::string& key) const {
        History::TIniFile ini(path_);
        return ini.ReadValue(section, key, "<none>");
    }
    // The values of the keys, in their order, joined by "|".
    std::string Read(const std::string& section, std::initializer_list<const char*> keys) const {
        std::string values;
        for (const char* key : keys)
            values += (values.empty() ? "" : "|") + Read(section, key);
        return values;
    }

    // The entries a history of ten loads from the file's section.
    static std::vector<std::string> Loaded(const std::string& path, const char* section) {
        TTenEntryHistory h;
        h.LoadFromIniFile(path, section);
        return h.Items();
    }

    winfiles::TempDir dir_{"vesk-ini"};
    std::string path_ = dir_ / "front.ini";
};

// The message of the EIniFileException the action raises, or a note saying what happened.
std::string WriteError(const std::function<void()>& action) {
    try {
        action();
    } catch (const shared::EIniFileException& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

} // namespace

TEST_F(IniFileTest, FirstRunWithoutFileLoadsNothingAndSavesNothing) {
    History::TIniFile ini(path_);
    EXPECT_EQ(ini.ReadValue("source", "0", "dflt"), "dflt");
    EXPECT_NO_THROW(ini.RemoveSection("source"));

    TTenEntryHistory h;
    int changes = 0;
    h.SetOnChange([&](History::THistory&) { ++changes; });
    h.LoadFromIniFile(path_, "source");
    EXPECT_EQ(h.Count(), 0);
    EXPECT_EQ(changes, 1);
    // A first run in which nothing was recorded must close quietly.
    EXPECT_NO_THROW(h.SaveToIniFile(path_, "source"));
    EXPECT_NO_THROW(h.SaveToIniFile(path_, "out"));
    EXPECT_FALSE(Exists());
    // The same settings object, having found no file, reads what it then writes.
    ini.WriteValue("source", "0", "C:\\new");
    EXPECT_EQ(ini.ReadValue("source", "0", "dflt"), "C:\\new");
}

TEST_F(IniFileTest, SaveRewritesItsSectionAndLeavesOthersAlone) {
    WriteRaw(
        path_,
        "[other]\r\nkeep=me\r\n[source]\r\n0=old\r\n7=stray\r\nname=x\r\n[out]\r\n0=o.vkpak\r\n");
    TTenEntryHistory h{"C:\\Work\\light", "C:\\Work\\heavy"};
    h.SaveToIniFile(path_, "source");

    EXPECT_EQ(Read("source", {"0", "1", "7", "name"}),
              "C:\\Work\\heavy|C:\\Work\\light|<none>|<none>");
    EXPECT_EQ(Read("other", "keep"), "me");
    EXPECT_EQ(Read("out", "0"), "o.vkpak");

    EXPECT_EQ(Loaded(path_, "source"), h.Items());

    // Emptied, the history leaves no section behind.
    History::THistory empty;
    empty.SaveToIniFile(path_, "source");
    EXPECT_EQ(ReadRaw().find("[source]"), std::string::npos) << ReadRaw();
    EXPECT_EQ(Read("out", "0"), "o.vkpak");
}

TEST_F(IniFileTest, LoadsOnlyMaxItemsKeysAndClosesGaps) {
    std::string text = "[source]\r\n";
    for (int i = 0; i <= 12; ++i)
        text += std::to_string(i) + "=entry" + std::to_string(i) + "\r\n";
    text += "[out]\r\n0=\r\n1=C:\\only.vkpak\r\n";
    WriteRaw(path_, text);

    TTenEntryHistory source, out;
    source.LoadFromIniFile(path_, "source");
    out.LoadFromIniFile(path_, "out");
    ASSERT_EQ(source.Count(), 10);
    EXPECT_EQ(source.Item(0), "entry0");
    EXPECT_EQ(source.Item(9), "entry9");
    EXPECT_EQ(out.Items(), std::vector<std::string>{"C:\\only.vkpak"});

    source.SaveToIniFile(path_, "source");
    out.SaveToIniFile(path_, "out");
    EXPECT_EQ(Read("source", {"9", "10", "12"}), "entry9|<none>|<none>");
    EXPECT_EQ(Read("out", {"0", "1"}), "C:\\only.vkpak|<none>");
}

// A value that fills the first read buffer but for its terminating zero, one that just
// overflows it, and one long enough that only the Unicode write keeps it whole.
TEST_F(IniFileTest, LongValuesReadBackWhole) {
    for (std::size_t size : {2047u, 2048u, 3000u, 40000u}) {
        std::string value;
        for (std::size_t i = 0; i < size; ++i)
            value += static_cast<char>('a' + i % 26);
        WriteRaw(path_, "[source]\r\n0=" + value + "\r\n");
        EXPECT_EQ(Read("source", "0"), value) << size;
        TTenEntryHistory h;
        h.LoadFromIniFile(path_, "source");
        ASSERT_EQ(h.Count(), 1);
        EXPECT_EQ(h.Item(0), value) << size;
        h.SaveToIniFile(path_, "source");
        EXPECT_EQ(Read("source", "0"), value) << size << " after a save";
    }
}

TEST_F(IniFileTest, DirectoryInPlaceOfTheFileFailsWithThePathAndLosesNothing) {
    // The folder's name must not be taken for a format.
    const std::string folder = dir_ / "100%s";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\front.ini";
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    WriteRaw(path + "\\inside.txt", "precious");

    TTenEntryHistory h{"C:\\b", "C:\\a"};
    const std::string expected = "Unable to write to " + path;
    EXPECT_EQ(WriteError([&] { h.SaveToIniFile(path, "source"); }), expected);
    EXPECT_EQ(WriteError([&] { History::TIniFile(path).WriteValue("out", "0", "x"); }), expected);
    EXPECT_EQ(WriteError([&] { History::TIniFile(path).RemoveSection("out"); }), expected);

    EXPECT_EQ(h.Items(), (std::vector<std::string>{"C:\\a", "C:\\b"}));
    const DWORD attr = GetFileAttributesA(path.c_str());
    EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_NE(GetFileAttributesA((path + "\\inside.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IniFileTest, FileHeldOpenElsewhereFailsWithThePathAndLosesNothing) {
    const std::string before = "[source]\r\n0=C:\\kept\r\n[out]\r\n0=C:\\kept.vkpak\r\n";
    WriteRaw(path_, before);
    TTenEntryHistory h{"C:\\new"};
    {
        winfiles::UniqueHandle held(CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
        ASSERT_NE(held.Get(), INVALID_HANDLE_VALUE);
        const std::string expected = "Unable to write to " + path_;
        EXPECT_EQ(WriteError([&] { h.SaveToIniFile(path_, "source"); }), expected);
        EXPECT_EQ(WriteError([&] { History::TIniFile(path_).WriteValue("out", "1", "x"); }),
                  expected);
    }
    EXPECT_EQ(ReadRaw(), before);
    EXPECT_EQ(h.Items(), std::vector<std::string>{"C:\\new"});

    // Once the file is free again, the same save goes through.
    h.SaveToIniFile(path_, "source");
    EXPECT_EQ(Read("source", "0"), "C:\\new");
    EXPECT_EQ(Read("out", "0"), "C:\\kept.vkpak");
}

// Beside an exe in a folder deeper than MAX_PATH: the file is found, read and written, which
// the private-profile functions do only by a shorter name.
TEST_F(IniFileTest, AFileDeeperThanMaxPathIsReadAndWritten) {
    const std::string deep = dir_.MakeLongFolder(300) + "\\front.ini";
    TTenEntryHistory h{"C:\\old", "C:\\new"};
    h.SaveToIniFile(deep, "source");
    EXPECT_TRUE(winfiles::FileExists(deep));
    EXPECT_FALSE(History::IniFileUnreadable(deep));
    EXPECT_EQ(Loaded(deep, "source"), (std::vector<std::string>{"C:\\new", "C:\\old"}));
}
