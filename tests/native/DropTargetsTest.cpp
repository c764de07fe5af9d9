// What a drop fills, and what the user is told when it fills nothing.
#include "gui/DropTargets.h"

#include <gtest/gtest.h>

#include "gui/Session.h"

using gui::TDroppedKind;

TEST(DropTargets, TheFirstUsableFolderAndFileFillTheFieldsAndADropOfNothingUsableSaysWhy) {
    const std::string refusal = gui::CodePageRefusal("Source");
    struct Row {
        std::vector<gui::TDroppedItem> items;
        const char *folder, *file, *refusal;
    };
    const Row rows[] = {
        {{{"C:\\gone", TDroppedKind::Missing},
          {"C:\\a.vkpak", TDroppedKind::File},
          {"C:\\one", TDroppedKind::Folder},
          {"C:\\two", TDroppedKind::Folder}},
         "C:\\one",
         "C:\\a.vkpak",
         ""},
        // A name the code page cannot hold is passed over, as a field would refuse it typed.
        {{{std::nullopt, TDroppedKind::Folder}, {"C:\\two", TDroppedKind::Folder}},
         "C:\\two",
         "",
         ""},
        {{{std::nullopt, TDroppedKind::Folder}, {"C:\\gone", TDroppedKind::Missing}},
         "",
         "",
         refusal.c_str()},
        {{{std::nullopt, TDroppedKind::File}},
         "",
         "",
         "The Output field contains characters that the system's code page cannot "
         "represent, so the builder would receive other ones"},
        {{{"C:\\gone", TDroppedKind::Missing}}, "", "", gui::kSourceMissing},
        {{}, "", "", ""},
    };
    for (const Row& row : rows) {
        const gui::DroppedTargets targets = gui::PickDropTargets(row.items);
        EXPECT_EQ(targets.folder, row.folder);
        EXPECT_EQ(targets.file, row.file);
        EXPECT_EQ(targets.refusal, row.refusal);
    }
}
