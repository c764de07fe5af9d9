#include "gui/Form1Design.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

// The dialog manager walks a container's tab stops in creation order, so the table's row
// order is the tab order: a row moved by mistake would silently reorder the keyboard.
TEST(Form1Design, ParentsComeFirstAndTabStopsFollowTheirOrder) {
    std::set<int> made{idForm};
    std::map<int, int> lastTab;
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(made.count(row.parent)) << "parent made later";
        EXPECT_TRUE(made.insert(row.id).second) << "id twice";
        if (row.tabOrder < 0)
            continue;
        auto last = lastTab.find(row.parent);
        EXPECT_EQ(row.tabOrder, last == lastTab.end() ? 0 : last->second + 1);
        lastTab[row.parent] = row.tabOrder;
    }
}
