// "Create!" to builder running: each front end clicks in turns, timed until its builder
// process exists and until the builder's record is written.
#include <windows.h>
#include <tlhelp32.h>

#include <set>
#include <stdexcept>

#include "Driver.h"
#include "gui/ControlIds.h"

namespace driver {

namespace {

using winfiles::UniqueHandle;

LONGLONG FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

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

} // namespace

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
            SetControlText(ControlOf(window, gui::idCmbSource), inputs.source);
            SetControlText(ControlOf(window, gui::idCmbOutput), inputs.output);
        }
        f->button = ControlOf(window, gui::idBtnCreate);
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

} // namespace driver
