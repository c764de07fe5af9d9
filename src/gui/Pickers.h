// The system's pickers behind the two "..." buttons. Each fills nothing itself: callers put
// the result into a field's text.
#pragma once

#include <windows.h>
#include <string>

namespace gui {

// The shell's folder browser over `owner`, preselecting `initialFolder` when it names a
// folder. The confirmed folder's path, or "" when the user cancelled or the item has no
// file-system path.
std::string BrowseForFolder(HWND owner, const std::string& initialFolder);
// `data` is the initial folder's zero-terminated text.
int CALLBACK BrowseForFolderCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data);

// Top-left of a dialog of that size: centred across the monitor, a third of the way down.
POINT SaveDialogPosition(const RECT& monitor, SIZE dialog);

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
    // The window that owns the dialog (the hidden application window), and the one the
    // dialog is centred over when no other window of ours is active.
    HWND Owner = nullptr;
    HWND MainForm = nullptr;

    // Modal over the whole program; true when the user confirmed a file, which FileName
    // then holds as a full path.
    bool Execute();

private:
    static UINT_PTR CALLBACK Hook(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace gui
