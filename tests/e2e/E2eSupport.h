// Helpers for end-to-end tests: they start the real Veskmaker.exe (and the recording
// builder that stands in for VKB.exe) as separate processes and drive the window from
// outside with messages, as a user or an accessibility tool would.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gui/ControlIds.h"
#include "gui/Form1Design.h"
#include "helpers/DialogAnswerer.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"
#include "helpers/WinThread.h"

namespace e2e {

// Handles, scratch folders, files, waiting, windows, texts, dialogs and command lines, shared
// with the other test programs and the benchmark driver.
using namespace windrive;
using namespace winfiles;
using namespace winproc;

// Default wait for anything the program under test should do promptly.
constexpr DWORD kTimeoutMs = windrive::kWaitTimeoutMs;

// Windows paths of the built programs.
std::string VeskExePath();
std::string RecorderExePath();

// Copies the built Veskmaker.exe to dir\exeName and the recording builder to dir\VKB.exe.
// Returns the full path of the copied front end.
std::string PrepareAppDir(const std::string& dir, const std::string& exeName);

// Posted, so a click that opens a modal box does not block the test.
void Click(HWND button);
// A press whose end can be waited for: BM_CLICK is sent from a thread of its own, and the
// send returns only when the program's click handler has, after any box it showed.
class ButtonPress {
public:
    explicit ButtonPress(HWND button);
    ~ButtonPress();
    ButtonPress(const ButtonPress&) = delete;
    ButtonPress& operator=(const ButtonPress&) = delete;

    bool Done() const { return *done_; }
    bool WaitDone(DWORD timeoutMs = kTimeoutMs) const;

private:
    // Shared with the sender, which may outlive the press when the program never answers.
    std::shared_ptr<std::atomic<bool>> done_ = std::make_shared<std::atomic<bool>>(false);
    winproc::TThread sender_;
};
bool IsChecked(HWND button);
// The name a screen reader hears for the window, asked through MSAA for its client object, or
// what went wrong.
std::string HeardName(HWND hwnd);
// The control with the keyboard focus in the thread that owns the window, or null.
HWND FocusOf(HWND window);
// A key pressed and released on the control with the focus, as the keyboard would send it;
// the program's event loop makes the characters and its dialog manager moves the focus.
void PressKey(HWND window, UINT vk);
void SetCheck(HWND button, bool checked);
// The drop-down list of a combo box of another process, top first.
std::vector<std::string> ComboItems(HWND combo);

// Where the keyboard stops among the children of a parent of the design, in the design's
// order, which is the keyboard's: walks and lists of "every control" follow the table, so a new
// control is never silently left out of them.
std::vector<gui::ControlId> TabStops(gui::ControlId parent);
// The keys, each with the control that must have the focus after it, that take the focus
// from "Advanced" through the rest of the top block to the page tabs, onto the "Misc." page
// and through its stops.
std::vector<std::pair<UINT, gui::ControlId>> KeysFromAdvancedThroughMiscPage();

// The window's screen pixels as they settle, top row first; empty when they cannot be read.
// `repaint`: have the program paint the window first, rather than take it as it stands.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> rgb;
    int Count(COLORREF colour) const;
};
Pixels WindowPixels(HWND hwnd, bool repaint);
// Screen pixels of the window as a 24-bit .bmp.
bool SaveWindowBitmap(HWND hwnd, const std::string& path);
// Saves name.bmp into the folder named by VESK_ARTIFACTS; does nothing when it is unset.
void SaveArtifact(HWND hwnd, const std::string& name);

// A started Veskmaker (or another program); terminated if it is still running when the
// object goes.
class AppProcess : public winproc::ChildProcess {
public:
    // showState: the start-up show state handed over in STARTUPINFO, if any.
    AppProcess(const std::string& exePath, const std::string& currentDir,
               std::optional<WORD> showState = std::nullopt, const std::string& arguments = "")
        : ChildProcess(exePath, currentDir, arguments, showState) {}
    AppProcess(const std::wstring& exePath, const std::string& currentDir)
        : ChildProcess(exePath, currentDir) {}

    // The process's top-level window of class TForm1, once it exists (and is visible,
    // unless told otherwise); null on timeout.
    HWND WaitForMainWindow(DWORD timeoutMs = kTimeoutMs, bool mustBeVisible = true);
    HWND MainWindow() const { return main_; }
    // A control of the main window by its id; null when there is none.
    HWND Control(int id) const;

    // Presses "Advanced" (or "Simple") as the user does and waits until the block is shown (or
    // hidden); its windows are made when it is first shown.
    bool ToggleAdvanced();
    // Asks the main window to close, as its close box does.
    void Close();
    // Closes it so and waits for the process to end: its exit code, as WaitForExit gives it.
    DWORD CloseAndWait(DWORD timeoutMs = kTimeoutMs) {
        Close();
        return WaitForExit(timeoutMs);
    }
    // A key pressed on the control with the focus; false when the focus does not then move to
    // (or stay on) the control of that id, or a child of it such as a combo box's edit.
    bool PressKeyFor(UINT vk, int expectedId);
    // The priority field's two arrow buttons, upper first, wherever their column lies: beside
    // the field or inside it; null where there are none.
    std::vector<HWND> PriorityArrows() const;
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = kTimeoutMs) { return ChildProcess::WaitForExit(timeoutMs); }

private:
    HWND main_ = nullptr;
};

} // namespace e2e
