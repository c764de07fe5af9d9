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
#include "Driver.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "helpers/WinDrive.h"

namespace driver {

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

void Fail(const std::string& what) {
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

HWND ControlOf(HWND parent, int id) {
    HWND control = windrive::FindChildById(parent, id);
    if (!control)
        throw std::runtime_error("no control with id " + std::to_string(id));
    return control;
}

void SetControlText(HWND hwnd, const std::string& text) {
    if (!windrive::SetText(hwnd, text, kTimeoutMs))
        Fail("WM_SETTEXT");
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    return windrive::WaitUntil(done, timeoutMs, 1);
}

HWND Process::WaitForWindow(const char* className) {
    DWORD idle = WaitForInputIdle(Handle(), kTimeoutMs);
    inputIdle_ = NowMs();
    if (idle != 0)
        Fail("WaitForInputIdle returned " + std::to_string(idle));
    if (!WaitUntil(
            [&] { return (window_ = windrive::FindTopLevelWindow(Pid(), className)) != nullptr; }))
        Fail(std::string("no visible window of class ") + className);
    found_ = NowMs();
    return window_;
}

OutsideMarks Process::Marks() const {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(Handle(), &created, &exited, &kernel, &user))
        Fail("GetProcessTimes");
    // Signed: a creation stamped before our reading would come out as a huge positive span.
    const auto since = static_cast<LONGLONG>(probe::Value100ns(created) - startedFileTime_);
    const double createdMs = started_ + static_cast<double>(since) / 10000.0;
    return {started_, createdMs, returned_, inputIdle_, found_};
}

DWORD Process::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    const DWORD code = child_.WaitForExit(kTimeoutMs);
    if (code == STILL_ACTIVE)
        Fail("the program did not exit after WM_CLOSE");
    return code;
}

double Samples::Quantile(double q) const {
    if (values.empty())
        return -1;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    double pos = q * static_cast<double>(sorted.size() - 1);
    auto lo = static_cast<size_t>(pos);
    size_t hi = std::min(lo + 1, sorted.size() - 1);
    return sorted[lo] + (sorted[hi] - sorted[lo]) * (pos - static_cast<double>(lo));
}

void Samples::Report(const std::string& key) const {
    Result(key + ".median", Quantile(0.5));
    Result(key + ".p25", Quantile(0.25));
    Result(key + ".p75", Quantile(0.75));
    Result(key + ".n", static_cast<double>(values.size()));
}

Program ParseProgram(const std::string& arg) {
    size_t a = arg.find('='), b = arg.rfind('=');
    if (a == std::string::npos || a == b)
        throw std::runtime_error("expected label=exe=class, got " + arg);
    return {arg.substr(0, a), arg.substr(a + 1, b - a - 1), arg.substr(b + 1), {}, {}, {}, {}, {}};
}

BuilderInputs TypedInputs(const TempDir& base) {
    BuilderInputs inputs;
    inputs.source = base / "source";
    MakeDir(inputs.source);
    inputs.output = "out.vkpak";
    return inputs;
}

namespace {

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

int RunSection(const std::string& section, int count, const std::vector<std::string>& rest) {
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
    return Usage();
}

} // namespace

} // namespace driver

int main(int argc, char** argv) {
    if (argc < 3)
        return driver::Usage();
    // Joins the desktop before anything is timed, so no start pays for bringing it up.
    GetDesktopWindow();
    const std::string section = argv[1];
    try {
        return driver::RunSection(section, std::atoi(argv[2]), {argv + 3, argv + argc});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "\ndriver %s: %s\n", section.c_str(), e.what());
        return 1;
    }
}
