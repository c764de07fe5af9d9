// Start-up: each program started afresh, timed from process creation until it is idle with
// its main window shown; and the probe builds' own marks of where the start goes.
#include <array>
#include <cstdio>
#include <stdexcept>

#include "Driver.h"
#include "helpers/WinDrive.h"
#include "helpers/WinFiles.h"

namespace driver {

namespace {

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
            return (window = windrive::FindTopLevelWindow(process.Pid(), p.windowClass.c_str())) !=
                   nullptr;
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

} // namespace

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

// Starts each probe build <reps> times, interleaved, and reports the median duration of each
// phase of its start (the first from process creation).
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
            std::string text = winfiles::ReadFileText(marks);
            std::array<char, 64> phase{};
            double ms = 0, previous = 0;
            int used = 0;
            // Each phase's own duration: from the end of the phase before it.
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

} // namespace driver
