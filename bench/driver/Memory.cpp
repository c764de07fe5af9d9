// Memory and handles: what a program holds after its start, and whether it grows across
// 1,000 Creates, side by side with the floors.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <stdexcept>

#include "Driver.h"
#include "gui/ControlIds.h"
#include "helpers/WinDrive.h"

namespace driver {

namespace {

using winfiles::UniqueHandle;

constexpr const char* kBuilderCounter = "VeskBenchBuilderStarts";

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
    s.launchButton = ControlOf(s.launch->WaitForWindow("BareLaunch"), gui::idBtnCreate);
    s.cmbSource = ControlOf(form, gui::idCmbSource);
    s.cmbOutput = ControlOf(form, gui::idCmbOutput);
    SetControlText(s.cmbSource, inputs.source);
    SetControlText(s.cmbOutput, inputs.output);
    s.veskButton = ControlOf(form, gui::idBtnCreate);
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

} // namespace

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
    m.gdi = winproc::GdiObjectCount(p.Handle(), p.Pid());
    m.user = GetGuiResources(p.Handle(), GR_USEROBJECTS);
    m.windows = windrive::WindowCount(p.Pid());
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
    std::string ini = winfiles::ReadFileText(base / "vesk\\Veskmaker.ini");
    Result("memory.veskmaker.ini_has_source", ini.find(inputs.source) != std::string::npos ? 1 : 0);
    return 0;
}

} // namespace driver
