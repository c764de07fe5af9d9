// Helpers for end-to-end tests: they start the real Veskmaker.exe (and the recording
// builder that stands in for VKB.exe) as separate processes and drive the window from
// outside with messages, as a user or an accessibility tool would.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../../src/gui/ControlIds.h"
#include "../helpers/WinFiles.h"

namespace e2e {

// Default wait for anything the program under test should do promptly.
constexpr DWORD kTimeoutMs = 20000;

// "/tmp/x/y" -> "Z:\tmp\x\y": Wine maps the Linux root to drive Z.
std::string WinPath(const std::string& linuxPath);

// Windows paths of the built programs.
std::string VeskExePath();
std::string RecorderExePath();

// Polls every 15 ms until the predicate holds or the time is up; returns its last answer.
bool WaitUntil(const std::function<bool()>& predicate, DWORD timeoutMs = kTimeoutMs);

// Scratch folders and kernel handles shared with the other test programs.
using winfiles::TempDir;
using winfiles::UniqueHandle;

// Copies the built Veskmaker.exe to dir\exeName and the recording builder to dir\VKB.exe.
// Returns the full path of the copied front end.
std::string PrepareAppDir(const std::string& dir, const std::string& exeName);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Whole file as bytes; empty when it cannot be read.
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& content);

// One start of the recording builder, as written to VKB.log.
struct Recording {
    std::string cmdline;
    std::string cwd;
};
std::vector<Recording> ReadRecording(const std::string& dir);

// What follows the program name of a raw command line (and the blanks after it): the
// parameter string exactly as the starter passed it.
std::string ArgsAfterProgram(const std::string& cmdline);
// The command line split by the system's rules (CommandLineToArgvW), argv[0] first.
std::vector<std::string> SplitCommandLine(const std::string& cmdline);

// Window text through WM_GETTEXT / WM_SETTEXT; works across processes.
std::string GetText(HWND hwnd);
void SetText(HWND hwnd, const std::string& text);
// Posted, so a click that opens a modal box does not block the test.
void Click(HWND button);
bool IsChecked(HWND button);
void SetCheck(HWND button, bool checked);
// The drop-down list of a combo box of another process, top first.
std::vector<std::string> ComboItems(HWND combo);

// First descendant of parent with that control id (controls sit in panels and pages).
HWND FindChildById(HWND parent, int id);

struct MessageBoxInfo {
    std::string caption;
    std::string text;
};
// The visible message box of that process, or null.
HWND FindMessageBox(DWORD pid);
// Waits for a message box of the process, reads it, presses OK and waits until it is gone.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs = kTimeoutMs);

// Screen pixels of the window as a 24-bit .bmp.
bool SaveWindowBitmap(HWND hwnd, const std::string& path);
// Saves name.bmp into the folder named by VESK_ARTIFACTS; does nothing when it is unset.
void SaveArtifact(HWND hwnd, const std::string& name);

// A started program; terminated if it is still running when the object goes.
class AppProcess {
public:
    // showState: the start-up show state handed over in STARTUPINFO, if any.
    AppProcess(const std::string& exePath, const std::string& currentDir,
               std::optional<WORD> showState = std::nullopt, const std::string& arguments = "");
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_.Get(); }

    // The process's top-level window of class TForm1, once it exists (and is visible,
    // unless told otherwise); null on timeout.
    HWND WaitForMainWindow(DWORD timeoutMs = kTimeoutMs, bool mustBeVisible = true);
    HWND MainWindow() const { return main_; }
    // A control of the main window by its id; null when there is none.
    HWND Control(int id) const;

    // Asks the main window to close, as its close box does.
    void Close();
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = kTimeoutMs);
    bool Running() const;

private:
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

} // namespace e2e
