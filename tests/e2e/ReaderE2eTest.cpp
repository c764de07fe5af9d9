// What a screen reader hears for every control of the window, asked as readers ask: through
// MSAA from another process, for the window's client object.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

TEST(ReaderE2e, EveryControlIsHeardByWhatItDoes) {
    const TempDir dir;
    AppProcess app(PrepareAppDir(dir.Path(), "Veskmaker.exe"), dir.Path());
    ASSERT_NE(app.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(app.ToggleAdvanced());
    std::vector<gui::ControlId> stops;
    for (gui::ControlId parent : {gui::idPanel2, gui::idTabSheet1, gui::idTabSheet2})
        for (gui::ControlId id : TabStops(parent))
            stops.push_back(id);
    // Every stop of the keyboard, of the design's table: its reader name, or else its caption,
    // which for "Advanced" now says "Simple".
    for (const gui::TDesignRow& row : gui::kForm1Design) {
        if (std::find(stops.begin(), stops.end(), row.id) == stops.end() ||
            row.id == gui::idPgeAdvanced)
            continue;
        const std::string name = *gui::AccessibleNameOf(row)    ? gui::AccessibleNameOf(row)
                                 : row.id == gui::idBtnAdvanced ? "Simple"
                                                                : row.text;
        const std::string heard = HeardName(app.Control(row.id));
        std::printf("[ heard    ] %-5d %s\n", row.id, heard.c_str());
        EXPECT_EQ(heard, name) << row.name;
    }
    const std::vector<HWND> arrows = app.PriorityArrows();
    EXPECT_EQ(HeardName(arrows[0]), "Increase Priority");
    EXPECT_EQ(HeardName(arrows[1]), "Decrease Priority");
    EXPECT_EQ(app.CloseAndWait(), 0u);
}
