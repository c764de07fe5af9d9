#include "History/History.h"

#include <vector>

#include <gtest/gtest.h>

#include "shared/SameText.h"
#include "shared/Exceptions.h"

using Entries = std::vector<std::string>;

namespace {

// What the handler saw at each notification.
struct Seen {
    const History::THistory* sender;
    int count;
    int maxItems;
};

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        history.SetMaxItems(10);
        history.SetOnChange([this](History::THistory& sender) {
            seen.push_back({&sender, sender.Count(), sender.MaxItems()});
        });
    }

    void Fill(const Entries& newestFirst) {
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
            history.Add(*it);
        seen.clear();
    }

    History::THistory history;
    std::vector<Seen> seen;
};

} // namespace

TEST(History, ConstructionValues) {
    History::THistory h;
    EXPECT_EQ(h.MaxItems(), 5);
    EXPECT_TRUE(h.IfExistsPlaceFirst());
    EXPECT_FALSE(h.OnChange());
    EXPECT_EQ(h.Count(), 0);
}

TEST_F(HistoryTest, AddPutsNewTextsFirstAndNotifiesWithItselfAsSender) {
    history.Add("a");
    history.Add("b");
    EXPECT_EQ(history.Items(), (Entries{"b", "a"}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].sender, &history);
    EXPECT_EQ(seen[0].count, 1);
    EXPECT_EQ(seen[1].count, 2);

    history.Add("");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(HistoryTest, FullListLosesItsOldestEntry) {
    Fill({"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"});
    history.Add("new");
    EXPECT_EQ(history.Items(), (Entries{"new", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 10);
}

TEST_F(HistoryTest, MatchIgnoringCaseMovesToFrontKeepingStoredSpelling) {
    Fill({"C:\\One", "C:\\Two", "C:\\Three", "C:\\Data", "C:\\Five"});
    history.Add("c:\\DATA");
    EXPECT_EQ(history.Items(),
              (Entries{"C:\\Data", "C:\\One", "C:\\Two", "C:\\Three", "C:\\Five"}));
    EXPECT_EQ(seen.size(), 1u);

    // Already first: nothing moves, but the drop-down list still needs its notification.
    history.Add("C:\\DATA");
    EXPECT_EQ(history.Item(0), "C:\\Data");
    EXPECT_EQ(history.Count(), 5);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(HistoryTest, WithoutPlaceFirstAKnownTextChangesNothingButNotifies) {
    Fill({"a", "b", "c"});
    history.SetIfExistsPlaceFirst(false);
    history.Add("C");
    EXPECT_EQ(history.Items(), (Entries{"a", "b", "c"}));
    EXPECT_EQ(seen.size(), 1u);
    history.Add("d");
    EXPECT_EQ(history.Items(), (Entries{"d", "a", "b", "c"}));
}

TEST_F(HistoryTest, TrailingBackslashOrBlankMakesAnotherEntry) {
    history.Add("C:\\Data");
    history.Add("C:\\Data\\");
    history.Add("C:\\Data ");
    EXPECT_EQ(history.Items(), (Entries{"C:\\Data ", "C:\\Data\\", "C:\\Data"}));
}

TEST_F(HistoryTest, ZeroMaxItemsKeepsNothingYetNotifies) {
    History::THistory older;
    older.Add("b");
    history.SetMaxItems(0);
    seen.clear();
    history.Add("a");
    history.AppendOlder(older);
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(HistoryTest, LoweringMaxItemsTrimsAndNotifiesBeforeStoring) {
    Fill({"0", "1", "2", "3", "4", "5", "6", "7"});
    history.SetMaxItems(5);
    EXPECT_EQ(history.Items(), (Entries{"0", "1", "2", "3", "4"}));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].count, 5);
    EXPECT_EQ(seen[0].maxItems, 10); // the handler still reads the old maximum
    EXPECT_EQ(history.MaxItems(), 5);

    history.SetMaxItems(10); // raising removes nothing and stays silent
    history.SetMaxItems(10);
    history.SetMaxItems(5); // at Count or above: nothing to remove
    history.SetMaxItems(7);
    EXPECT_EQ(history.Count(), 5);
    EXPECT_EQ(history.MaxItems(), 7);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(HistoryTest, NegativeMaxItemsEmptiesTheListInsteadOfHanging) {
    Fill({"a", "b"});
    history.SetMaxItems(-1);
    EXPECT_EQ(history.Count(), 0);
    history.Add("c");
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(HistoryTest, ItemOutOfBoundsNamesTheIndex) {
    Fill({"a", "b", "c"});
    for (int index : {-1, 3, 10}) {
        try {
            history.Item(index);
            ADD_FAILURE() << "no error for " << index;
        } catch (const shared::Exception& e) {
            EXPECT_STREQ(e.ClassName(), "Exception");
            EXPECT_EQ(e.Message(), "Index out of bounds (" + std::to_string(index) + ")");
        }
    }
    EXPECT_EQ(history.Items(), (Entries{"a", "b", "c"}));
    EXPECT_TRUE(seen.empty());
}

TEST_F(HistoryTest, HandlerErrorTravelsOutAndTheChangeStays) {
    history.SetOnChange([](History::THistory&) { throw shared::Exception("from handler"); });
    EXPECT_THROW(history.Add("a"), shared::Exception);
    EXPECT_EQ(history.Items(), (Entries{"a"}));
}

TEST_F(HistoryTest, HandlerMayReplaceItselfWhileRunning) {
    int calls = 0;
    history.SetOnChange([&calls](History::THistory& sender) {
        ++calls;
        sender.SetOnChange(nullptr);
    });
    history.Add("a");
    history.Add("b");
    EXPECT_EQ(calls, 1);
}

// A settings file that could not be read at start: what it holds goes behind this run's
// entries at close, once each, up to the maximum.
TEST_F(HistoryTest, OlderEntriesGoBehindTheNewOnesOnceEach) {
    Fill({"C:\\new", "C:\\both"});
    History::THistory stored;
    stored.SetMaxItems(20);
    for (int i = 12; i >= 1; --i)
        stored.Add("C:\\old" + std::to_string(i));
    stored.Add("c:\\BOTH");
    history.AppendOlder(stored);
    EXPECT_EQ(history.Items(),
              (Entries{"C:\\new", "C:\\both", "C:\\old1", "C:\\old2", "C:\\old3", "C:\\old4",
                       "C:\\old5", "C:\\old6", "C:\\old7", "C:\\old8"}));
    history.AppendOlder(stored); // full: nothing more, and nothing to tell
    EXPECT_EQ(seen.size(), 1u);
}

TEST(History, ChangeIsTheOneNotificationPoint) {
    struct Counting : History::THistory {
        int changes = 0;
        void Change() override { ++changes; }
    } h;
    h.Add("a");
    h.Add("b");
    h.SetMaxItems(1);
    EXPECT_EQ(h.changes, 3);
    EXPECT_EQ(h.Items(), Entries{"b"});
}

TEST(SameText, WholeTextWithLetterCaseIgnored) {
    EXPECT_TRUE(shared::SameText("C:\\Data\\Z", "c:\\DATA\\z"));
    EXPECT_TRUE(shared::SameText("", ""));
    EXPECT_FALSE(shared::SameText("C:\\Data", "C:\\Data\\"));
    EXPECT_FALSE(shared::SameText("abc", "abc "));
    EXPECT_FALSE(shared::SameText("abc", "abd"));
    EXPECT_FALSE(shared::SameText("", "a"));
    // The whole length counts: a prefix match is no match.
    EXPECT_FALSE(shared::SameText("C:\\Da", "C:\\Data"));
}
