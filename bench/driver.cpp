// Starts, drives, times and measures Veskmaker.exe and the bare programs of bench/ from
// outside, as a user or the system would. Each section prints "RESULT <key> <value>" lines
// for tools/bench and its progress on stderr.
//
//   driver startup <reps> <label>=<exe>=<window class> ...
//   driver create <reps> <recording_builder.exe> <label>=<exe>=<window class> ...
//   driver phases <reps> <label>=<probe exe>=<window class> ...
//   driver pickers <reps> <label>=<exe>=<window class> ...
//   driver memory <creates> <Veskmaker.exe> <bare_window.exe> <bare_view.exe> <bare_launch.exe>
//                 <noop_builder.exe>
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "builder/Parameters.h"
#include "gui/ControlIds.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"
#include "helpers/WinProcess.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
// Lets the previous Wine process finish tearing down before the next one is timed.
constexpr DWORD kSettleMs = 150;
// Lets a started program finish its first paint and lazy set-up before memory is read.
constexpr DWORD kMemorySettleMs = 400;
constexpr const char* kBuilderCounter = "VeskBenchBuilderStarts";

void Progress(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}

void Result(const std::string& key, double value) {
    std::printf("RESULT %s %.6g\n", key.c_str(), value);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

using windrive::FindTopLevelWindow;
using windrive::WindowCount;
using winfiles::ReadFileText;
using winfiles::UniqueHandle;

// A fresh folder per run, so no settings file or log carries over.
struct TempDir : winfiles::TempDir {
    TempDir() : winfiles::TempDir("vesk-bench") {}
};

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CopyInto(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        Fail("CopyFileA " + from + " -> " + to);
}

void MakeDir(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr))
        Fail("CreateDirectoryA " + path);
}

LONGLONG FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The control with that id among the window's descendants; throws when there is none.
HWND ControlOf(HWND parent, int id) {
    HWND control = windrive::FindChildById(parent, id);
    if (!control)
        throw std::runtime_error("no control with id " + std::to_string(id));
    return control;
}

// Polls at 1 ms, so the wait adds little to what it times.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs) {
    return windrive::WaitUntil(done, timeoutMs, 1);
}

// A started program and its main window; ended by force only if it outlives its object.
class Process {
public:
    Process(const std::string& exe, const std::string& dir, const std::string& arguments = "")
        : child_(exe, dir, arguments) {}

    HANDLE Handle() const { return child_.Handle(); }
    DWORD Pid() const { return child_.Pid(); }
    double StartedMs() const { return started_; }

    // Waits for input idle and the visible main window; returns it.
    HWND WaitForWindow(const char* className) {
        DWORD idle = WaitForInputIdle(Handle(), kTimeoutMs);
        if (idle != 0)
            Fail("WaitForInputIdle returned " + std::to_string(idle));
        if (!WaitUntil([&] { return (window_ = FindTopLevelWindow(Pid(), className)) != nullptr; }))
            Fail(std::string("no visible window of class ") + className);
        return window_;
    }

    void SetWindow(HWND window) { window_ = window; }

    // Closes the main window as its close box does; the exit code.
    DWORD Close() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        const DWORD code = child_.WaitForExit(kTimeoutMs);
        if (code == STILL_ACTIVE)
            Fail("the program did not exit after WM_CLOSE");
        return code;
    }

private:
    // Taken before child_ starts the program: the start counts in what is timed.
    double started_ = NowMs();
    winproc::ChildProcess child_;
    HWND window_ = nullptr;
};

struct Memory {
    double peakWorkingSetKb = 0, workingSetKb = 0, privateKb = 0;
    double gdi = 0, user = 0, windows = 0, handles = 0;
    bool wineFallbacks = false;
};

// The private bytes of one process as the system's process list gives them (PagefileUsage:
// on Windows the private commit, under Wine resident anonymous memory plus swap).
bool ListedPrivateBytes(DWORD pid, SIZE_T& privateBytes) {
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004L)) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    if (status < 0)
        return false;
    for (size_t offset = 0;;) {
        const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(&buffer[offset]);
        if (reinterpret_cast<ULONG_PTR>(info->UniqueProcessId) == pid) {
            privateBytes = info->VirtualMemoryCounters.PagefileUsage;
            return true;
        }
        if (info->NextEntryOffset == 0)
            return false;
        offset += info->NextEntryOffset;
    }
}

// One slot of the GDI handle table that the PEB points to (the layout Windows and Wine share).
struct GdiHandleEntry {
    ULONG64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONG64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");
constexpr size_t kGdiHandleSlots = 0x10000;
// PEB::GdiSharedHandleTable in a 64-bit process.
constexpr size_t kPebGdiTableOffset = 0xF8;

// Live GDI objects of another 64-bit process, read from its GDI handle table. Wine's
// GetGuiResources is a stub that answers 0, but Wine keeps that table per process, hands
// out its slots from the bottom up and frees one by setting its type to 0. Read a page at
// a time up to the first page never used: reading the whole 1.5 MB table would make all of
// it resident in the measured process. -1 when the table cannot be read.
double GdiObjectsFromTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) <
            0 ||
        !basic.PebBaseAddress)
        return -1;
    ULONG64 table = 0;
    if (!ReadProcessMemory(process,
                           reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset,
                           &table, sizeof table, nullptr) ||
        table == 0)
        return -1;
    constexpr size_t kPage = 4096;
    const size_t tableBytes = kGdiHandleSlots * sizeof(GdiHandleEntry);
    std::vector<unsigned char> bytes;
    for (size_t offset = 0; offset < tableBytes; offset += kPage) {
        const size_t size = std::min(kPage, tableBytes - offset);
        std::vector<unsigned char> page(size);
        if (!ReadProcessMemory(
                process, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(table) + offset),
                page.data(), size, nullptr))
            return -1;
        if (offset > 0 &&
            std::all_of(page.begin(), page.end(), [](unsigned char b) { return b == 0; }))
            break;
        bytes.insert(bytes.end(), page.begin(), page.end());
    }
    double live = 0;
    for (size_t at = 0; at + sizeof(GdiHandleEntry) <= bytes.size(); at += sizeof(GdiHandleEntry)) {
        GdiHandleEntry entry;
        std::memcpy(&entry, &bytes[at], sizeof entry);
        if (entry.type != 0)
            ++live;
    }
    return live;
}

// Kernel handles of another process, found by trying to duplicate each handle value in
// turn: Wine's handle counts give the size of the handle table, not the handles in it.
double KernelHandlesByProbe(HANDLE process) {
    constexpr ULONG_PTR kHighestProbed = 0x8000;
    int live = 0;
    for (ULONG_PTR value = 4; value <= kHighestProbed; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0,
                            FALSE, DUPLICATE_SAME_ACCESS)) {
            UniqueHandle owned(copy);
            ++live;
        }
    }
    return live;
}

Memory ReadMemory(const Process& p) {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(p.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                              sizeof pmc))
        Fail("GetProcessMemoryInfo");
    Memory m;
    m.peakWorkingSetKb = static_cast<double>(pmc.PeakWorkingSetSize) / 1024.0;
    m.workingSetKb = static_cast<double>(pmc.WorkingSetSize) / 1024.0;
    m.privateKb = static_cast<double>(pmc.PrivateUsage) / 1024.0;
    m.gdi = GetGuiResources(p.Handle(), GR_GDIOBJECTS);
    m.user = GetGuiResources(p.Handle(), GR_USEROBJECTS);
    m.windows = WindowCount(p.Pid());
    DWORD handles = 0;
    m.handles = GetProcessHandleCount(p.Handle(), &handles) ? handles : 0;

    // A GUI process always has GDI objects, kernel handles and private memory: a 0 is a
    // system that does not say (Wine), so ask in the ways it does answer.
    SIZE_T listedPrivate = 0;
    if (m.privateKb == 0 && ListedPrivateBytes(p.Pid(), listedPrivate)) {
        m.privateKb = static_cast<double>(listedPrivate) / 1024.0;
        m.wineFallbacks = true;
    }
    if (m.handles == 0) {
        m.handles = KernelHandlesByProbe(p.Handle());
        m.wineFallbacks = true;
    }
    if (m.gdi == 0) {
        m.gdi = GdiObjectsFromTable(p.Handle());
        m.wineFallbacks = true;
    }
    if (m.user == 0) {
        // Windows are the USER objects a front end makes; the count of them stands in.
        m.user = m.windows;
        m.wineFallbacks = true;
    }
    return m;
}

void ReportMemory(const std::string& key, const Memory& m) {
    Result(key + ".peak_ws_kb", m.peakWorkingSetKb);
    Result(key + ".ws_kb", m.workingSetKb);
    Result(key + ".private_kb", m.privateKb);
    Result(key + ".gdi", m.gdi);
    Result(key + ".user", m.user);
    Result(key + ".windows", m.windows);
    Result(key + ".handles", m.handles);
    Result(key + ".wine_fallbacks", m.wineFallbacks ? 1 : 0);
}

struct Samples {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    double Quantile(double q) const {
        if (values.empty())
            return -1;
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        // Linear between the two nearest ranks.
        double pos = q * static_cast<double>(sorted.size() - 1);
        auto lo = static_cast<size_t>(pos);
        size_t hi = std::min(lo + 1, sorted.size() - 1);
        return sorted[lo] + (sorted[hi] - sorted[lo]) * (pos - static_cast<double>(lo));
    }
    void Report(const std::string& key) const {
        Result(key + ".median", Quantile(0.5));
        Result(key + ".p25", Quantile(0.25));
        Result(key + ".p75", Quantile(0.75));
        Result(key + ".n", static_cast<double>(values.size()));
    }
};

// ---- start-up ---------------------------------------------------------------------------

struct Program {
    std::string label, exe, windowClass;
    Samples shown, idle;
    Samples peakWs, privateKb;
};

// One timed start: process creation until input idle and the visible main window.
void TimeOneStart(Program& p, bool record) {
    TempDir dir;
    const std::string exe = dir / BaseName(p.exe);
    CopyInto(p.exe, exe);
    Sleep(kSettleMs);
    Process process(exe, dir.Path());
    DWORD idle = WaitForInputIdle(process.Handle(), kTimeoutMs);
    const double idleAt = NowMs();
    if (idle != 0)
        Fail(p.label + ": WaitForInputIdle returned " + std::to_string(idle));
    HWND window = nullptr;
    if (!WaitUntil([&] {
            return (window = FindTopLevelWindow(process.Pid(), p.windowClass.c_str())) != nullptr;
        }))
        Fail(p.label + ": no visible " + p.windowClass);
    const double shownAt = NowMs();
    Sleep(kMemorySettleMs);
    Memory m = ReadMemory(process);
    process.SetWindow(window);
    DWORD code = process.Close();
    if (code != 0)
        Fail(p.label + ": exit code " + std::to_string(code));
    if (record) {
        p.idle.Add(idleAt - process.StartedMs());
        p.shown.Add(shownAt - process.StartedMs());
        p.peakWs.Add(m.peakWorkingSetKb);
        p.privateKb.Add(m.privateKb);
    }
}

// "label=exe=window class".
Program ParseProgram(const std::string& arg) {
    size_t a = arg.find('='), b = arg.rfind('=');
    if (a == std::string::npos || a == b)
        throw std::runtime_error("expected label=exe=class, got " + arg);
    return {arg.substr(0, a), arg.substr(a + 1, b - a - 1), arg.substr(b + 1), {}, {}, {}, {}};
}

int Startup(int reps, const std::vector<std::string>& programArgs) {
    std::vector<Program> programs;
    programs.reserve(programArgs.size());
    for (const std::string& arg : programArgs)
        programs.push_back(ParseProgram(arg));
    constexpr int kWarmUp = 3;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        // Interleaved, and the order turns each round, so drift and order favour nobody.
        for (size_t i = 0; i < programs.size(); ++i)
            TimeOneStart(programs[(i + static_cast<size_t>(rep)) % programs.size()],
                         rep >= kWarmUp);
        Progress("\rstart-up: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const Program& p : programs) {
        p.shown.Report("startup." + p.label + ".shown_ms");
        p.idle.Report("startup." + p.label + ".idle_ms");
        p.peakWs.Report("startup." + p.label + ".peak_ws_kb");
        p.privateKb.Report("startup." + p.label + ".private_kb");
    }
    return 0;
}

// ---- where Veskmaker's start-up goes ----------------------------------------------------

// Starts each probe build <reps> times, interleaved, and reports the median duration of each
// part of its start (the first from process creation).
int Phases(int reps, const std::vector<std::string>& programArgs) {
    struct Probe {
        Program program;
        std::vector<std::string> order;
        std::vector<Samples> samples;
    };
    std::vector<Probe> probes;
    probes.reserve(programArgs.size());
    for (const std::string& arg : programArgs)
        probes.push_back({ParseProgram(arg), {}, {}});
    constexpr int kWarmUp = 2;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        for (size_t i = 0; i < probes.size(); ++i) {
            Probe& probe = probes[(i + static_cast<size_t>(rep)) % probes.size()];
            TempDir dir;
            const std::string exe = dir / BaseName(probe.program.exe), marks = dir / "phases.txt";
            CopyInto(probe.program.exe, exe);
            Sleep(kSettleMs);
            {
                Process process(exe, dir.Path(), marks);
                process.WaitForWindow(probe.program.windowClass.c_str());
                Sleep(kMemorySettleMs);
                if (process.Close() != 0)
                    throw std::runtime_error(probe.program.label + ": the probe failed");
            }
            if (rep < kWarmUp)
                continue;
            std::string text = ReadFileText(marks);
            std::array<char, 64> phase{};
            double ms = 0, previous = 0;
            int used = 0;
            // Each part's own duration: from the end of the part before it.
            for (const char* p = text.c_str();
                 std::sscanf(p, "%63s %lf%n", phase.data(), &ms, &used) == 2;
                 p += used, previous = ms) {
                auto at = std::find(probe.order.begin(), probe.order.end(), phase.data());
                if (at == probe.order.end()) {
                    probe.order.emplace_back(phase.data());
                    probe.samples.emplace_back();
                    at = probe.order.end() - 1;
                }
                probe.samples[static_cast<size_t>(at - probe.order.begin())].Add(ms - previous);
            }
        }
        Progress("\rphases: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const Probe& probe : probes)
        for (size_t i = 0; i < probe.order.size(); ++i)
            probe.samples[i].Report("phases." + probe.program.label + "." + probe.order[i] + "_ms");
    return 0;
}

// ---- "Create!" to builder running -------------------------------------------------------

std::set<DWORD> BuilderPids(DWORD parentPid, bool anyParent) {
    std::set<DWORD> pids;
    UniqueHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snap.Valid())
        return pids;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snap.Get(), &entry); more;
         more = Process32Next(snap.Get(), &entry))
        if (lstrcmpiA(entry.szExeFile, "VKB.exe") == 0 &&
            (anyParent || entry.th32ParentProcessID == parentPid))
            pids.insert(entry.th32ProcessID);
    return pids;
}

// A front end with its Create button, its folder and the builder's log beside it.
struct FrontEnd {
    std::string label;
    std::unique_ptr<Process> process;
    HWND button = nullptr;
    std::string dir, log; // its folder, and the builder's log in it
    Samples toProcess, toRecord;
    int missedProcess = 0;
};

// Clicks Create once; times until a new VKB.exe of that front end exists and until its
// record is in the log, then waits for the builder to end.
void TimeOneCreate(FrontEnd& f, bool record) {
    if (!WaitUntil([&] { return BuilderPids(0, true).empty(); }))
        throw std::runtime_error("a builder is still running");
    Sleep(kSettleMs);
    const std::set<DWORD> before = BuilderPids(0, true);
    const LONGLONG logSize = FileSize(f.log);
    double processAt = -1, recordAt = -1;
    UniqueHandle builder;
    const double clicked = NowMs();
    PostMessageA(f.button, BM_CLICK, 0, 0);
    const bool done = WaitUntil([&] {
        if (processAt < 0) {
            for (DWORD pid : BuilderPids(f.process->Pid(), false)) {
                if (before.count(pid))
                    continue;
                processAt = NowMs();
                builder = UniqueHandle(OpenProcess(SYNCHRONIZE, FALSE, pid));
                break;
            }
        }
        if (recordAt < 0 && FileSize(f.log) > logSize)
            recordAt = NowMs();
        if (recordAt < 0)
            return false;
        if (processAt >= 0)
            return true;
        // A builder that came and went between two looks is missed, not waited for.
        for (DWORD pid : BuilderPids(f.process->Pid(), false))
            if (!before.count(pid))
                return false;
        return true;
    });
    if (recordAt < 0)
        throw std::runtime_error(f.label + ": the builder wrote no record");
    if (!done)
        throw std::runtime_error(f.label + ": the builder did not end");
    if (processAt < 0)
        ++f.missedProcess;
    if (builder.Valid())
        WaitForSingleObject(builder.Get(), kTimeoutMs);
    if (record) {
        if (processAt >= 0)
            f.toProcess.Add(processAt - clicked);
        f.toRecord.Add(recordAt - clicked);
    }
}

// The parameter string of the builder's last start, as the recording builder in dir logged it.
std::string LastRecordArguments(const std::string& dir) {
    const std::vector<winproc::Recording> records = winproc::ReadRecording(dir);
    return records.empty() ? std::string() : winproc::ArgsAfterProgram(records.back().cmdline);
}

// Types the text into a field; throws when the field does not take it in time.
void SetControlText(HWND hwnd, const std::string& text) {
    if (!windrive::SetText(hwnd, text, kTimeoutMs))
        Fail("WM_SETTEXT");
}

// What the runs type into Veskmaker: a source folder made under base, and an output name.
BuilderInputs TypedInputs(const TempDir& base) {
    BuilderInputs inputs;
    inputs.source = base / "source";
    MakeDir(inputs.source);
    inputs.output = "out.vkpak";
    return inputs;
}

// Each front end clicks in turns, the order turning each round. Veskmaker (window class
// TForm1) gets the source and output typed into its fields; a bare launcher gets the very
// parameter string Veskmaker builds from them on its command line.
int Create(int reps, const std::string& recorderExe, const std::vector<std::string>& programArgs) {
    TempDir base;
    const BuilderInputs inputs = TypedInputs(base);
    const std::string parameters = BuildParameters(inputs);

    std::vector<std::unique_ptr<FrontEnd>> frontEnds;
    for (const std::string& arg : programArgs) {
        const Program program = ParseProgram(arg);
        const std::string dir = base / program.label;
        MakeDir(dir);
        const std::string exe = dir + "\\" + BaseName(program.exe);
        CopyInto(program.exe, exe);
        CopyInto(recorderExe, dir + "\\VKB.exe");
        auto f = std::make_unique<FrontEnd>();
        f->label = program.label;
        f->dir = dir;
        f->log = dir + "\\VKB.log";
        const bool veskmaker = program.windowClass == VESK_FORM_CLASS;
        f->process = std::make_unique<Process>(exe, dir, veskmaker ? "" : parameters);
        HWND window = f->process->WaitForWindow(program.windowClass.c_str());
        if (veskmaker) {
            SetControlText(ControlOf(window, idCmbSource), inputs.source);
            SetControlText(ControlOf(window, idCmbOutput), inputs.output);
        }
        f->button = ControlOf(window, idBtnCreate);
        frontEnds.push_back(std::move(f));
    }

    constexpr int kWarmUp = 3;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        for (size_t i = 0; i < frontEnds.size(); ++i)
            TimeOneCreate(*frontEnds[(i + static_cast<size_t>(rep)) % frontEnds.size()],
                          rep >= kWarmUp);
        if (rep == 0) {
            // All must hand the builder the very same parameter string.
            for (const auto& f : frontEnds) {
                const std::string got = LastRecordArguments(f->dir);
                if (got != parameters) {
                    std::string message = f->label + " passed " + got;
                    message += "\n  expected " + parameters;
                    throw std::runtime_error(message);
                }
            }
        }
        Progress("\rcreate: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const auto& f : frontEnds) {
        f->toProcess.Report("create." + f->label + ".process_ms");
        f->toRecord.Report("create." + f->label + ".record_ms");
        Result("create." + f->label + ".missed_process", f->missedProcess);
        DWORD code = f->process->Close();
        if (code != 0)
            throw std::runtime_error(f->label + ": exit code " + std::to_string(code));
    }
    return 0;
}

// ---- first opening of the pickers ---------------------------------------------------------

enum class Picker { folder, save };

// One program and one of its pickers; the buttons carry the same ids in every program.
struct PickerCase {
    Program program;
    Picker picker;
    Samples opened;
};

// Each picker leaves its mark: the browser its folder tree, the save dialog its name field.
bool IsPicker(HWND dialog, Picker picker) {
    if (picker == Picker::folder)
        return FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr) != nullptr;
    return windrive::FileNameField(dialog) != nullptr;
}

// Starts the program afresh, clicks the picker's button once it is shown and idle, and times
// until a visible dialog of that process is there; then cancels it and closes the program.
void TimeOnePicker(PickerCase& c, bool record) {
    TempDir dir;
    const std::string exe = dir / BaseName(c.program.exe);
    CopyInto(c.program.exe, exe);
    Sleep(kSettleMs);
    Process process(exe, dir.Path());
    HWND button = ControlOf(process.WaitForWindow(c.program.windowClass.c_str()),
                            c.picker == Picker::folder ? idBtnBrowseSrc : idBtnBrowseOut);
    // The start's own tail (first paint, the window manager) stays out of what is timed.
    Sleep(kSettleMs);
    HWND dialog = nullptr;
    const double clicked = NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!WaitUntil(
            [&] { return (dialog = FindTopLevelWindow(process.Pid(), "#32770")) != nullptr; }))
        Fail(c.program.label + ": no dialog opened");
    const double openedAt = NowMs();
    if (!WaitUntil([&] { return IsPicker(dialog, c.picker); }))
        throw std::runtime_error(c.program.label + ": the dialog that opened is not the picker");
    windrive::Press(dialog, IDCANCEL);
    if (!WaitUntil([&] { return !IsWindow(dialog); }))
        throw std::runtime_error(c.program.label + ": the picker did not close on Cancel");
    if (DWORD code = process.Close())
        throw std::runtime_error(c.program.label + ": exit code " + std::to_string(code));
    if (record)
        c.opened.Add(openedAt - clicked);
}

// Every program opens each picker once per round, each time in a start of its own; the same
// picker of all programs side by side, the order turning each round.
int Pickers(int reps, const std::vector<std::string>& programArgs) {
    std::vector<PickerCase> cases;
    for (Picker picker : {Picker::folder, Picker::save})
        for (const std::string& arg : programArgs)
            cases.push_back({ParseProgram(arg), picker, {}});
    constexpr int kWarmUp = 2;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        for (size_t i = 0; i < cases.size(); ++i)
            TimeOnePicker(cases[(i + static_cast<size_t>(rep)) % cases.size()], rep >= kWarmUp);
        Progress("\rpickers: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const PickerCase& c : cases)
        c.opened.Report("pickers." + c.program.label +
                        (c.picker == Picker::folder ? ".folder_ms" : ".save_ms"));
    return 0;
}

// ---- memory and handles across 1,000 Creates --------------------------------------------

// Clicks `count` times, a few at a time, each batch waiting until its builders have counted
// themselves; the number of builders that did.
int ClickAndCount(HWND button, int count, HANDLE counter) {
    constexpr int kBatch = 10;
    int started = 0;
    for (int done = 0; done < count;) {
        int batch = std::min(kBatch, count - done);
        for (int i = 0; i < batch; ++i) {
            // Sent, so it returns once the click (and the shell's start) is handled.
            if (!windrive::TrySend(button, BM_CLICK, 0, 0, kTimeoutMs, SMTO_NORMAL))
                Fail("BM_CLICK");
        }
        for (int i = 0; i < batch; ++i)
            if (WaitForSingleObject(counter, kTimeoutMs) == WAIT_OBJECT_0)
                ++started;
        done += batch;
    }
    return started;
}

int ComboCount(HWND combo) {
    return static_cast<int>(windrive::Send(combo, CB_GETCOUNT, 0, 0, kTimeoutMs));
}

// The programs the memory section runs side by side.
struct MemoryExes {
    std::string vesk, window, view, launch, noop;
};

// The programs running side by side, each in a folder of its own, with the counting builder
// beside the two front ends, and the controls the run clicks and reads.
struct SideBySide {
    std::unique_ptr<Process> window, view, vesk, launch;
    HWND cmbSource = nullptr, cmbOutput = nullptr, veskButton = nullptr, launchButton = nullptr;
};

// Copies exe into a new folder under base, with the builder beside it if one is given.
std::string Place(const TempDir& base, const char* dir, const std::string& exe,
                  const std::string& builder = "") {
    MakeDir(base / dir);
    std::string copy = base / (std::string(dir) + "\\" + BaseName(exe));
    CopyInto(exe, copy);
    if (!builder.empty())
        CopyInto(builder, base / (std::string(dir) + "\\VKB.exe"));
    return copy;
}

SideBySide StartSideBySide(const TempDir& base, const MemoryExes& exes,
                           const BuilderInputs& inputs) {
    SideBySide s;
    s.window = std::make_unique<Process>(Place(base, "window", exes.window), base / "window");
    s.window->WaitForWindow("BareWindow");
    s.view = std::make_unique<Process>(Place(base, "view", exes.view), base / "view");
    s.view->WaitForWindow("BareView");
    s.vesk = std::make_unique<Process>(Place(base, "vesk", exes.vesk, exes.noop), base / "vesk");
    HWND form = s.vesk->WaitForWindow(VESK_FORM_CLASS);
    s.launch = std::make_unique<Process>(Place(base, "launch", exes.launch, exes.noop),
                                         base / "launch", BuildParameters(inputs));
    s.launchButton = ControlOf(s.launch->WaitForWindow("BareLaunch"), idBtnCreate);
    s.cmbSource = ControlOf(form, idCmbSource);
    s.cmbOutput = ControlOf(form, idCmbOutput);
    SetControlText(s.cmbSource, inputs.source);
    SetControlText(s.cmbOutput, inputs.output);
    s.veskButton = ControlOf(form, idBtnCreate);
    return s;
}

// All four at one moment ("start", "warm", "after"), once they have settled.
void ReportMoment(const std::string& moment, const SideBySide& s) {
    Sleep(4 * kMemorySettleMs);
    ReportMemory("memory.bare_window." + moment, ReadMemory(*s.window));
    ReportMemory("memory.bare_view." + moment, ReadMemory(*s.view));
    ReportMemory("memory.veskmaker." + moment, ReadMemory(*s.vesk));
    ReportMemory("memory.bare_launch." + moment, ReadMemory(*s.launch));
}

int MemoryRun(int creates, const MemoryExes& exes) {
    UniqueHandle counter(CreateSemaphoreA(nullptr, 0, 0x7fffffff, kBuilderCounter));
    if (!counter.Valid())
        Fail("CreateSemaphoreA");
    TempDir base;
    const BuilderInputs inputs = TypedInputs(base);
    const SideBySide s = StartSideBySide(base, exes, inputs);
    ReportMoment("start", s);

    int veskStarted = 0, launchStarted = 0;
    constexpr int kChunk = 50;
    for (int done = 0; done < creates; done += kChunk) {
        int n = std::min(kChunk, creates - done);
        veskStarted += ClickAndCount(s.veskButton, n, counter.Get());
        launchStarted += ClickAndCount(s.launchButton, n, counter.Get());
        Progress("\rmemory: %d/%d Creates", done + n, creates);
        if (done == 0) {
            // The first starts set up the shell's caches for good; growth after them is
            // what a leak would show.
            Result("memory.warm_creates", n);
            ReportMoment("warm", s);
        }
    }
    Progress("\n");
    ReportMoment("after", s);
    Result("memory.creates", creates);
    Result("memory.veskmaker.builders_started", veskStarted);
    Result("memory.bare_launch.builders_started", launchStarted);
    Result("memory.veskmaker.source_items", ComboCount(s.cmbSource));
    Result("memory.veskmaker.output_items", ComboCount(s.cmbOutput));

    for (Process* p : {s.vesk.get(), s.launch.get(), s.view.get(), s.window.get()})
        if (DWORD code = p->Close())
            throw std::runtime_error("exit code " + std::to_string(code));
    // Closing saved the history: one entry per list, the one just used.
    std::string ini = ReadFileText(base / "vesk\\Veskmaker.ini");
    Result("memory.veskmaker.ini_has_source", ini.find(inputs.source) != std::string::npos ? 1 : 0);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage:\n"
                         "  driver startup <reps> <label>=<exe>=<window class> ...\n"
                         "  driver phases <reps> <label>=<probe exe>=<window class> ...\n"
                         "  driver create <reps> <recording_builder.exe> "
                         "<label>=<exe>=<window class> ...\n"
                         "  driver pickers <reps> <label>=<exe>=<window class> ...\n"
                         "  driver memory <creates> <Veskmaker.exe> <bare_window.exe> "
                         "<bare_view.exe> <bare_launch.exe> <noop_builder.exe>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    // Joins the desktop before anything is timed, so no start pays for bringing it up.
    GetDesktopWindow();
    const std::string section = argv[1];
    const int count = std::atoi(argv[2]);
    std::vector<std::string> rest(argv + 3, argv + argc);
    try {
        if (section == "startup" && !rest.empty())
            return Startup(count, rest);
        if (section == "phases" && !rest.empty())
            return Phases(count, rest);
        if (section == "create" && rest.size() >= 2)
            return Create(count, rest[0], {rest.begin() + 1, rest.end()});
        if (section == "pickers" && !rest.empty())
            return Pickers(count, rest);
        if (section == "memory" && rest.size() == 5)
            return MemoryRun(count, {rest[0], rest[1], rest[2], rest[3], rest[4]});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\ndriver %s: %s\n", section.c_str(), e.what());
        return 1;
    }
    return Usage();
}
