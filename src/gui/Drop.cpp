#include "gui/Drop.h"

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "shared/LateLibrary.h"
#include "shared/System.h"

namespace gui {

namespace {

// Looked up before the drop is taken over: a deleter must not fail.
struct TDragFinish {
    decltype(&DragFinish) finish =
        shared::LateProc<decltype(&DragFinish)>(shared::Shell32, "DragFinish");
    void operator()(HDROP drop) const { finish(drop); }
};
using TDrop = std::unique_ptr<std::remove_pointer_t<HDROP>, TDragFinish>;

TDroppedKind KindOf(std::vector<wchar_t> widePath) {
    const DWORD attributes = shared::PathAttributes(std::move(widePath));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return TDroppedKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TDroppedKind::Folder : TDroppedKind::File;
}

} // namespace

TDroppedTargets ReadDrop(HDROP drop) {
    const TDrop owned(drop, TDragFinish{});
    if (!owned)
        return {};
    // Read wide: the ANSI copy of a name the code page cannot hold would be another name.
    const auto query =
        shared::LateProc<decltype(&DragQueryFileW)>(shared::Shell32, "DragQueryFileW");
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<TDroppedItem> items;
    items.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a dropped path may be longer than MAX_PATH.
        const UINT length = query(drop, i, nullptr, 0);
        std::vector<wchar_t> path(length + 1, L'\0');
        path.resize(query(drop, i, path.data(), length + 1));
        TDroppedItem item{shared::ExactAnsi(path.data(), path.size()), TDroppedKind::Missing};
        path.push_back(L'\0');
        item.kind = KindOf(std::move(path));
        items.push_back(std::move(item));
    }
    return PickDropTargets(items);
}

} // namespace gui
