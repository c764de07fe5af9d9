// What the bench driver's sections share: results and progress, the clock, scratch folders,
// the programs it starts and their main windows, samples and their quantiles, and each
// section's entry point.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../ProbeMarks.h"
#include "helpers/BuilderInputs.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"

namespace driver {

constexpr DWORD kTimeoutMs = 30000;
// Lets the previous Wine process finish tearing down before the next one is timed.
constexpr DWORD kSettleMs = 150;
// Lets a started program finish its first paint and lazy set-up before memory is read.
constexpr DWORD kMemorySettleMs = 400;

// To stderr, for whoever watches the run.
void Progress(const char* format, ...);
// "RESULT <key> <value>" on stdout, for tools/bench.
void Result(const std::string& key, double value);
[[noreturn]] void Fail(const std::string& what);
double NowMs();

// A fresh folder per run, so no settings file or log carries over.
struct TempDir : winfiles::TempDir {
    TempDir() : winfiles::TempDir("vesk-bench") {}
};

std::string BaseName(const std::string& path);
void CopyInto(const std::string& from, const std::string& to);
void MakeDir(const std::string& path);
// The control with that id among the window's descendants; throws when there is none.
HWND ControlOf(HWND parent, int id);
// Types the text into a field; throws when the field does not take it in time.
void SetControlText(HWND hwnd, const std::string& text);
// Polls at 1 ms, so the wait adds little to what it times.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs);

// What the driver sees of one start, in ms on its own clock (NowMs).
struct OutsideMarks {
    double called = 0;    // CreateProcess called
    double created = 0;   // the process's creation time, as the system records it
    double returned = 0;  // CreateProcess returned
    double inputIdle = 0; // WaitForInputIdle returned
    double found = 0;     // the main window found visible
};

// A started program and its main window; ended by force only if it outlives its object.
class Process {
public:
    Process(const std::string& exe, const std::string& dir, const std::string& arguments = "")
        : child_(exe, dir, arguments) {}

    HANDLE Handle() const { return child_.Handle(); }
    DWORD Pid() const { return child_.Pid(); }
    double StartedMs() const { return started_; }
    // Waits for input idle and the visible main window; returns it.
    HWND WaitForWindow(const char* className);
    void SetWindow(HWND window) { window_ = window; }
    // Closes the main window as its close box does; the exit code.
    DWORD Close();
    // Of this start, once WaitForWindow returned. The creation time, on the system's clock,
    // is put on ours by the two clocks' readings taken together before CreateProcess.
    OutsideMarks Marks() const;

private:
    // Taken before child_ starts the program: the start counts in what is timed.
    double started_ = NowMs();
    ULONGLONG startedFileTime_ = probe::Now100ns();
    winproc::ChildProcess child_;
    double returned_ = NowMs(); // after child_, as it is declared after it
    double inputIdle_ = 0;
    double found_ = 0;
    HWND window_ = nullptr;
};

struct Samples {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    // Linear between the two nearest ranks; -1 without samples.
    double Quantile(double q) const;
    // The median, the quartiles and the count.
    void Report(const std::string& key) const;
};

// A program as the command line names it: "label=exe=window class".
struct Program {
    std::string label, exe, windowClass;
    Samples shown, idle, created;
    Samples peakWs, privateKb;
};
Program ParseProgram(const std::string& arg);

// Memory, objects and handles of a running program.
struct Memory {
    double peakWorkingSetKb = 0, workingSetKb = 0, privateKb = 0;
    double gdi = 0, user = 0, windows = 0, handles = 0;
    bool wineFallbacks = false;
};
// Asked in the ways the system answers: where Wine's counters say 0, from its tables.
Memory ReadMemory(const Process& p);
void ReportMemory(const std::string& key, const Memory& m);

// What the runs type into Veskmaker: a source folder made under base, and an output name.
BuilderInputs TypedInputs(const TempDir& base);

// The sections, one per subcommand.
int Startup(int reps, const std::vector<std::string>& programArgs);
int Phases(int reps, const std::vector<std::string>& programArgs);
int Create(int reps, const std::string& recorderExe, const std::vector<std::string>& programArgs);
int Pickers(int reps, const std::vector<std::string>& programArgs);
struct MemoryExes {
    std::string vesk, window, view, launch, noop;
};
int MemoryRun(int creates, const MemoryExes& exes);

} // namespace driver
