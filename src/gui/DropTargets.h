// Which of the items dropped onto the window fill the source and the output field. Kept
// free of the Windows API so the rule can be checked anywhere.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace gui {

enum class TDroppedKind { Missing, Folder, File };

// Empty text: nothing of that kind was dropped, and the field is left alone.
struct DroppedTargets {
    std::string folder;
    std::string file;
};

// The first folder and the first file win; an item that no longer exists counts as
// neither, so a stale drop cannot put a dead path into a field.
inline DroppedTargets
PickDropTargets(const std::vector<std::pair<std::string, TDroppedKind>>& items) {
    DroppedTargets targets;
    for (const auto& [path, kind] : items) {
        if (path.empty())
            continue;
        if (kind == TDroppedKind::Folder && targets.folder.empty())
            targets.folder = path;
        else if (kind == TDroppedKind::File && targets.file.empty())
            targets.file = path;
    }
    return targets;
}

} // namespace gui
