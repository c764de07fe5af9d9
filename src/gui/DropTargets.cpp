#include "gui/DropTargets.h"

#include "gui/Form1Design.h"
#include "gui/Session.h"

namespace gui {

TDroppedTargets PickDropTargets(const std::vector<TDroppedItem>& items) {
    TDroppedTargets targets;
    std::string firstRefusal;
    for (const TDroppedItem& item : items) {
        if (item.path && item.path->empty())
            continue;
        const bool folder = item.kind == TDroppedKind::Folder;
        std::string& target = folder ? targets.folder : targets.file;
        if (item.kind != TDroppedKind::Missing && item.path && target.empty())
            target = *item.path;
        if (!firstRefusal.empty())
            continue;
        if (item.kind == TDroppedKind::Missing)
            firstRefusal = kSourceMissing;
        else if (!item.path)
            firstRefusal = CodePageRefusal(LabelOf(folder ? idCmbSource : idCmbOutput));
    }
    if (targets.folder.empty() && targets.file.empty())
        targets.refusal = firstRefusal;
    return targets;
}

} // namespace gui
