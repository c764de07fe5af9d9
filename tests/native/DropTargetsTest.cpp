// What a drop fills, and what the user is told when it fills nothing.
#include "gui/DropTargets.h"

#include <gtest/gtest.h>

#include "gui/Session.h"

using gui::TDroppedKind;

TEST(DropTargets, ADropThatFillsNothingSaysWhyAsTheTextTypedWouldBeTold) {
    struct Row {
        std::vector<gui::TDroppedItem> items;
        std::string folder, refusal;
    };
    const std::string source = gui::CodePageRefusal("Source"),
                      output = gui::CodePageRefusal("Output");
    const Row rows[] = {
        // A name the code page cannot hold is passed over where another item fills the field.
        {{{std::nullopt, TDroppedKind::Folder}, {"C:\\two", TDroppedKind::Folder}}, "C:\\two", ""},
        {{{std::nullopt, TDroppedKind::Folder}, {"C:\\gone", TDroppedKind::Missing}}, "", source},
        {{{std::nullopt, TDroppedKind::File}}, "", output},
        {{{"C:\\gone", TDroppedKind::Missing}}, "", gui::kSourceMissing},
        {{}, "", ""},
        {{{"", TDroppedKind::Missing}}, "", ""}, // a nameless item is passed over
    };
    for (const Row& row : rows) {
        const gui::TDroppedTargets targets = gui::PickDropTargets(row.items);
        EXPECT_EQ(targets.folder, row.folder);
        EXPECT_EQ(targets.refusal, row.refusal);
    }
}
