#include "History/History.h"

#include <vector>

#include <gtest/gtest.h>

#include "native/ErrorOf.h"
#include "native/MemoryIni.h"
#include "shared/Exceptions.h"

using Entries = std::vector<std::string>;

namespace {

class HistoryIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        history.SetMaxItems(10);
        history.SetOnChange(
            [this](History::THistory& sender) { countsSeen.push_back(sender.Count()); });
    }

    void Fill(const Entries& newestFirst) {
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
            history.Add(*it);
        countsSeen.clear();
    }

    MemoryIni ini;
    History::THistory history;
    std::vector<int> countsSeen;
};

} // namespace

TEST_F(HistoryIniTest, LoadClosesGapsAndNotifiesOnce) {
    Fill({"old"});
    ini.sections["source"] = {{"0", "C:\\A"}, {"2", "C:\\B"}, {"5", "C:\\C"}, {"3", ""}};
    ini.sections["out"] = {{"1", "elsewhere"}};
    history.LoadFromIni(&ini, "source");
    EXPECT_EQ(history.Items(), (Entries{"C:\\A", "C:\\B", "C:\\C"}));
    EXPECT_EQ(countsSeen, (std::vector<int>{3}));
}

TEST_F(HistoryIniTest, LoadReadsOnlyKeysBelowMaxItemsWithEmptyDefault) {
    for (int i = 0; i <= 12; ++i)
        ini.sections["source"][std::to_string(i)] = "v" + std::to_string(i);
    history.LoadFromIni(&ini, "source");
    EXPECT_EQ(history.Count(), 10);
    EXPECT_EQ(history.Item(9), "v9");
    ASSERT_EQ(ini.calls.size(), 10u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ini.calls[i], "read source " + std::to_string(i) + " default=");
}

TEST_F(HistoryIniTest, LoadKeepsRepeatsAndAddFindsTheFirst) {
    ini.sections["source"] = {{"0", "C:\\x"}, {"1", "C:\\Data"}, {"2", "c:\\DATA"}};
    history.LoadFromIni(&ini, "source");
    EXPECT_EQ(history.Items(), (Entries{"C:\\x", "C:\\Data", "c:\\DATA"}));
    history.Add("C:\\data");
    EXPECT_EQ(history.Items(), (Entries{"C:\\Data", "C:\\x", "c:\\DATA"}));
}

TEST_F(HistoryIniTest, LoadWithoutSectionEmptiesTheListAndStillNotifies) {
    Fill({"a", "b"});
    history.LoadFromIni(&ini, "source");
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(countsSeen, (std::vector<int>{0}));
}

TEST_F(HistoryIniTest, FailedLoadNotifiesWithWhatItReadThenRethrows) {
    ini.sections["source"] = {{"0", "a"}, {"1", "b"}, {"2", "c"}};
    ini.failReadKey = "2";
    EXPECT_EQ(ErrorOf([&] { history.LoadFromIni(&ini, "source"); }), "read failed");
    EXPECT_EQ(history.Items(), (Entries{"a", "b"}));
    EXPECT_EQ(countsSeen, (std::vector<int>{2}));
}

TEST_F(HistoryIniTest, ArgumentChecksComeFirstAndChangeNothing) {
    Fill({"a"});
    ini.sections["source"] = {{"0", "x"}};
    EXPECT_EQ(ErrorOf([&] { history.LoadFromIni(nullptr, "source"); }), "IniFile not assigned");
    EXPECT_EQ(ErrorOf([&] { history.LoadFromIni(&ini, ""); }), "Section is not set!");
    EXPECT_EQ(ErrorOf([&] { history.SaveToIni(nullptr, "source"); }), "IniFile not assigned");
    EXPECT_EQ(ErrorOf([&] { history.SaveToIni(&ini, ""); }), "Section is not set!");
    EXPECT_EQ(history.Items(), (Entries{"a"}));
    EXPECT_TRUE(countsSeen.empty());
    EXPECT_TRUE(ini.calls.empty());
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "x"}}));
}

TEST_F(HistoryIniTest, SaveRewritesTheSectionWholeWithoutNotifying) {
    Fill({"C:\\A", "C:\\B"});
    ini.sections["source"] = {{"0", "stale"}, {"7", "stale"}, {"extra", "x"}};
    ini.sections["out"] = {{"0", "C:\\o.vkpak"}};
    history.SaveToIni(&ini, "source");
    EXPECT_EQ(ini.calls, (std::vector<std::string>{"remove source", "write source 0=C:\\A",
                                                   "write source 1=C:\\B"}));
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\A"}, {"1", "C:\\B"}}));
    EXPECT_EQ(ini.sections["out"], (Keys{{"0", "C:\\o.vkpak"}}));
    EXPECT_TRUE(countsSeen.empty());
}

TEST_F(HistoryIniTest, EmptyHistoryLeavesNoSection) {
    ini.sections["out"] = {{"0", "old"}};
    history.SaveToIni(&ini, "out");
    EXPECT_EQ(ini.sections.count("out"), 0u);
}

TEST_F(HistoryIniTest, FailedWriteKeepsTheKeysWrittenBefore) {
    Fill({"a", "b", "c"});
    ini.failWriteKey = "1";
    EXPECT_EQ(ErrorOf([&] { history.SaveToIni(&ini, "source"); }),
              "Unable to write to C:\\Apps\\front.ini");
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "a"}}));

    ini.failRemove = true;
    ini.sections["source"] = {{"0", "kept"}};
    EXPECT_THROW(history.SaveToIni(&ini, "source"), shared::EIniFileException);
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "kept"}}));
}

TEST_F(HistoryIniTest, SaveThenLoadGivesTheSameList) {
    ini.sections["source"] = {{"1", "C:\\Only"}}; // key 0 missing
    history.LoadFromIni(&ini, "source");
    history.Add("C:\\My Files\\x");
    history.SaveToIni(&ini, "source");
    EXPECT_EQ(ini.sections["source"], (Keys{{"0", "C:\\My Files\\x"}, {"1", "C:\\Only"}}));

    History::THistory again;
    again.SetMaxItems(10);
    again.LoadFromIni(&ini, "source");
    EXPECT_EQ(again.Items(), history.Items());
}

// The window saves both histories on close: a failed save of the first must not lose the
// second's entries, and the user hears of the failure once.
TEST_F(HistoryIniTest, BothHistoriesAreSavedWhenTheFirstFails) {
    Fill({"C:\\a"});
    History::THistory outputs;
    outputs.Add("o.vkpak");
    ini.failSection = "source";
    EXPECT_EQ(ErrorOf([&] {
                  shared::RunEach([&] { history.SaveToIni(&ini, "source"); },
                                  [&] { outputs.SaveToIni(&ini, "out"); });
              }),
              "Unable to write to C:\\Apps\\front.ini");
    EXPECT_EQ(ini.sections["out"], (Keys{{"0", "o.vkpak"}}));
}
