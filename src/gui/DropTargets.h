// Which of the items dropped onto the window fill the source and the output field, and what
// the user is told when they fill neither. Kept free of the Windows API so the rule can be
// checked anywhere.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gui {

enum class TDroppedKind { Missing, Folder, File };

struct TDroppedItem {
    // Absent when the path holds a character the ANSI code page cannot represent.
    std::optional<std::string> path;
    TDroppedKind kind = TDroppedKind::Missing;
};

// Empty text: nothing of that kind was dropped, and the field is left alone.
struct TDroppedTargets {
    std::string folder;
    std::string file;
    // Why a drop that fills neither field fills nothing: the message the first item's text
    // would get if typed; "" when there was nothing to drop.
    std::string refusal;
};

// The first folder and the first file that the fields can hold win; an item that no longer
// exists counts as neither, so a stale drop cannot put a dead path into a field.
TDroppedTargets PickDropTargets(const std::vector<TDroppedItem>& items);

} // namespace gui
