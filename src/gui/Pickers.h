// The system's pickers behind the two "..." buttons, and files dropped onto the window.
// Each fills nothing itself: callers put the result into a field's text.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "gui/DropTargets.h"

namespace gui {

// The shell's folder browser over `owner`, preselecting `initialFolder` when it names a
// folder. The confirmed folder's path, or "" when the user cancelled or the item has no
// file-system path.
std::string BrowseForFolder(HWND owner, const std::string& initialFolder);
// `data` is the initial folder's zero-terminated text.
int CALLBACK BrowseForFolderCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);

// Top-left of a dialog of that size: centred across the work area, a third of the way down.
POINT SaveDialogPosition(const RECT& monitorWork, SIZE dialog);

// The common save dialog. FileName and FilterIndex carry over from one confirmed use to the
// next; a cancelled or failed use changes nothing.
class TSaveDialog {
public:
    std::string DefaultExt;
    // "Description|pattern|..."
    std::string Filter;
    std::string FileName;
    // 1-based, as the system counts.
    int FilterIndex = 1;

    // Modal over the whole program; true when the user confirmed a file, which FileName
    // then holds as a full path.
    bool Execute();

private:
    static UINT_PTR CALLBACK Hook(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
};

// The dropped items that fill the fields. Takes ownership of the drop: it is released
// (DragFinish) on every path, so the caller must not release it again.
DroppedTargets ReadDrop(HDROP drop);

} // namespace gui
