// Starting programs from a test or benchmark program and reading how they were started: text
// conversions, command lines split by the system's rules, and the recording builder's log.
#pragma once

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "WinFiles.h"

namespace winproc {

// Between the ANSI code page (or another one) and UTF-16.
std::wstring Widen(const std::string& s, UINT codePage = CP_ACP);
std::string Narrow(const std::wstring& w);

// The command line split by the system's rules (CommandLineToArgvW), argv[0] first.
std::vector<std::string> SplitCommandLine(const std::string& cmdline);
// What follows the program name of a raw command line (and the blanks after it): the
// parameter string exactly as the starter passed it.
std::string ArgsAfterProgram(const std::string& cmdline);

// One start of the recording builder, as written to VKB.log beside it.
struct Recording {
    std::string cmdline;
    std::string cwd;
};
std::vector<Recording> ReadRecording(const std::string& dir);

// Live GDI objects of another process of our own bitness, or -1 when they cannot be counted.
// Windows counts them itself (GetGuiResources); Wine answers 0 there, so they are read from
// the GDI handle table that both keep per process.
int GdiObjectCount(HANDLE process, DWORD pid);

// The processes that this one started and that still run.
std::set<DWORD> ChildProcessIds(DWORD parentPid);

// A started program; terminated if it is still running when the object goes.
class ChildProcess {
public:
    // Runs "exePath" arguments in currentDir (ours when empty); showState: the start-up show
    // state handed over in STARTUPINFO, if any. Throws when the program cannot be started.
    ChildProcess(const std::string& exePath, const std::string& currentDir,
                 const std::string& arguments = "", std::optional<WORD> showState = std::nullopt);
    // The same for a program whose path the code page cannot hold.
    ChildProcess(const std::wstring& exePath, const std::string& currentDir,
                 const std::string& arguments = "", std::optional<WORD> showState = std::nullopt);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_.Get(); }
    bool Running() const;
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs);

private:
    winfiles::UniqueHandle process_;
    DWORD pid_ = 0;
};

} // namespace winproc
