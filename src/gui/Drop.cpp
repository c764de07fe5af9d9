#include "gui/Drop.h"

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace gui {

namespace {

struct TDragFinish {
    void operator()(HDROP drop) const { DragFinish(drop); }
};
using TDrop = std::unique_ptr<std::remove_pointer_t<HDROP>, TDragFinish>;

TDroppedKind KindOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TDroppedKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TDroppedKind::Folder : TDroppedKind::File;
}

} // namespace

DroppedTargets ReadDrop(HDROP drop) {
    const TDrop owned(drop);
    if (!owned)
        return {};
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::pair<std::string, TDroppedKind>> items;
    items.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a dropped path may be longer than MAX_PATH.
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), length + 1));
        TDroppedKind kind = KindOf(path);
        items.emplace_back(std::move(path), kind);
    }
    return PickDropTargets(items);
}

} // namespace gui
