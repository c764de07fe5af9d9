// Files and folders dropped onto the window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "gui/DropTargets.h"

namespace gui {

// The dropped items that fill the fields. Takes ownership of the drop: it is released
// (DragFinish) on every path, so the caller must not release it again.
TDroppedTargets ReadDrop(HDROP drop);

} // namespace gui
