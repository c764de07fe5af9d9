// Start-up: each program started afresh, timed from the CreateProcess call until it is idle
// with its main window shown; and the probe builds' own marks of where the start goes, beside
// the driver's marks of the same starts on one clock.
#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
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
    try {
        process.WaitForWindow(p.windowClass.c_str());
    } catch (const std::exception& e) {
        Fail(p.label + ": " + e.what());
    }
    const OutsideMarks marks = process.Marks();
    Sleep(kMemorySettleMs);
    Memory m = ReadMemory(process);
    DWORD code = process.Close();
    if (code != 0)
        Fail(p.label + ": exit code " + std::to_string(code));
    if (record) {
        p.created.Add(marks.created - marks.called);
        p.idle.Add(marks.inputIdle - marks.called);
        p.shown.Add(marks.found - marks.called);
        p.peakWs.Add(m.peakWorkingSetKb);
        p.privateKb.Add(m.privateKb);
    }
}

// The probe's marks of one start, in ms since its creation, in the order it wrote them.
std::vector<std::pair<std::string, double>> ReadMarks(const std::string& path) {
    const std::string text = winfiles::ReadFileText(path);
    std::vector<std::pair<std::string, double>> marks;
    std::array<char, 64> phase{};
    double ms = 0;
    int used = 0;
    for (const char* p = text.c_str(); std::sscanf(p, "%63s %lf%n", phase.data(), &ms, &used) == 2;
         p += used)
        marks.emplace_back(phase.data(), ms);
    return marks;
}

// A probe build, the durations of its phases, and the marks of its starts on the outside
// clock: what the driver saw, and the probe's own, each in ms since process creation.
struct Probe {
    Program program;
    std::vector<std::string> order;
    std::vector<Samples> samples;
    std::map<std::string, Samples> clock;

    void AddPhases(const std::vector<std::pair<std::string, double>>& marks) {
        double previous = 0;
        // Each phase's own duration: from the end of the phase before it.
        for (const auto& [phase, ms] : marks) {
            auto at = std::find(order.begin(), order.end(), phase);
            if (at == order.end()) {
                order.push_back(phase);
                samples.emplace_back();
                at = order.end() - 1;
            }
            samples[static_cast<size_t>(at - order.begin())].Add(ms - previous);
            previous = ms;
        }
    }
    void AddClock(const OutsideMarks& outside,
                  const std::vector<std::pair<std::string, double>>& marks) {
        const double created = outside.created;
        clock["called"].Add(outside.called - created);
        clock["returned"].Add(outside.returned - created);
        clock["input_idle"].Add(outside.inputIdle - created);
        clock["found"].Add(outside.found - created);
        clock["outside_total"].Add(outside.found - outside.called);
        for (const auto& [phase, ms] : marks) {
            clock["probe_" + phase].Add(ms);
            // What the probe cannot see: before its creation, and from its idle until found.
            if (phase == "idle")
                clock["unseen"].Add(outside.found - outside.called - ms);
        }
    }
};

// Each program's start against each other's in the same round, then the median of those
// ratios: two starts a second apart share the load of the machine, which moves a whole run's
// medians by more than the gaps being looked for.
void ReportPairedRatios(const std::vector<Program>& programs) {
    for (const Program& a : programs)
        for (const Program& b : programs) {
            if (&a == &b || a.shown.values.size() != b.shown.values.size())
                continue;
            Samples ratios;
            for (size_t round = 0; round < a.shown.values.size(); ++round)
                ratios.Add(a.shown.values[round] / b.shown.values[round]);
            ratios.Report("startup." + a.label + ".paired." + b.label);
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
    ReportPairedRatios(programs);
    for (const Program& p : programs) {
        p.shown.Report("startup." + p.label + ".shown_ms");
        p.created.Report("startup." + p.label + ".created_ms");
        p.idle.Report("startup." + p.label + ".idle_ms");
        p.peakWs.Report("startup." + p.label + ".peak_ws_kb");
        p.privateKb.Report("startup." + p.label + ".private_kb");
    }
    return 0;
}

// Starts each probe build <reps> times, interleaved, and reports the median duration of each
// phase of its start (the first from process creation).
int Phases(int reps, const std::vector<std::string>& programArgs) {
    std::vector<Probe> probes;
    probes.reserve(programArgs.size());
    for (const std::string& arg : programArgs)
        probes.push_back({ParseProgram(arg), {}, {}, {}});
    constexpr int kWarmUp = 2;
    for (int rep = 0; rep < kWarmUp + reps; ++rep) {
        for (size_t i = 0; i < probes.size(); ++i) {
            Probe& probe = probes[(i + static_cast<size_t>(rep)) % probes.size()];
            TempDir dir;
            const std::string exe = dir / BaseName(probe.program.exe), marks = dir / "phases.txt";
            CopyInto(probe.program.exe, exe);
            Sleep(kSettleMs);
            OutsideMarks outside;
            {
                Process process(exe, dir.Path(), marks);
                process.WaitForWindow(probe.program.windowClass.c_str());
                outside = process.Marks();
                Sleep(kMemorySettleMs);
                if (process.Close() != 0)
                    throw std::runtime_error(probe.program.label + ": the probe failed");
            }
            if (rep < kWarmUp)
                continue;
            const auto probeMarks = ReadMarks(marks);
            probe.AddPhases(probeMarks);
            probe.AddClock(outside, probeMarks);
        }
        Progress("\rphases: round %d/%d", rep + 1, kWarmUp + reps);
    }
    Progress("\n");
    for (const Probe& probe : probes) {
        for (size_t i = 0; i < probe.order.size(); ++i)
            probe.samples[i].Report("phases." + probe.program.label + "." + probe.order[i] + "_ms");
        for (const auto& [mark, samples] : probe.clock)
            samples.Report("clock." + probe.program.label + "." + mark + "_ms");
    }
    return 0;
}

} // namespace driver
