#include "gui/Drop.h"

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "shared/LateLibrary.h"

namespace gui {

namespace {

// Looked up before the drop is taken over: a deleter must not fail.
struct TDragFinish {
    decltype(&DragFinish) finish = LateProc<decltype(&DragFinish)>(Shell32, "DragFinish");
    void operator()(HDROP drop) const { finish(drop); }
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
    const TDrop owned(drop, TDragFinish{});
    if (!owned)
        return {};
    const auto query = LateProc<decltype(&DragQueryFileA)>(Shell32, "DragQueryFileA");
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::pair<std::string, TDroppedKind>> items;
    items.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a dropped path may be longer than MAX_PATH.
        const UINT length = query(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        path.resize(query(drop, i, path.data(), length + 1));
        TDroppedKind kind = KindOf(path);
        items.emplace_back(std::move(path), kind);
    }
    return PickDropTargets(items);
}

} // namespace gui
