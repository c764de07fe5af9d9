#include "WinProcess.h"

#include <shellapi.h>

#include <stdexcept>

namespace winproc {

namespace {

struct ArgvMemory {
    LPWSTR* argv;
    ~ArgvMemory() {
        if (argv)
            LocalFree(argv);
    }
};

} // namespace

std::wstring Widen(const std::string& s, UINT codePage) {
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                        nullptr);
    return s;
}

std::vector<std::string> SplitCommandLine(const std::string& cmdline) {
    int argc = 0;
    ArgvMemory args{CommandLineToArgvW(Widen(cmdline).c_str(), &argc)};
    std::vector<std::string> out;
    for (int i = 0; args.argv && i < argc; ++i)
        out.push_back(Narrow(args.argv[i]));
    return out;
}

std::string ArgsAfterProgram(const std::string& cmdline) {
    // The program name follows simpler rules than the arguments: quotes toggle, nothing
    // is escaped, and it ends at the first blank or tab outside quotes.
    size_t i = 0;
    bool quoted = false;
    for (; i < cmdline.size(); ++i) {
        const char c = cmdline[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ' ' || c == '\t'))
            break;
    }
    while (i < cmdline.size() && (cmdline[i] == ' ' || cmdline[i] == '\t'))
        ++i;
    return cmdline.substr(i);
}

std::vector<Recording> ReadRecording(const std::string& dir) {
    const std::string text = winfiles::ReadFileText(dir + "\\VKB.log");
    std::vector<Recording> records;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        if (line.compare(0, 8, "CMDLINE ") == 0)
            records.push_back({line.substr(8), std::string()});
        else if (line.compare(0, 4, "CWD ") == 0 && !records.empty())
            records.back().cwd = line.substr(4);
    }
    return records;
}

ChildProcess::ChildProcess(const std::string& exePath, const std::string& currentDir,
                           const std::string& arguments, std::optional<WORD> showState) {
    std::string cmdline = "\"" + exePath + "\"";
    if (!arguments.empty())
        cmdline += " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (showState) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = *showState;
    }
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exePath.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi))
        throw std::runtime_error("starting " + exePath + " failed (error " +
                                 std::to_string(GetLastError()) + ")");
    process_ = winfiles::UniqueHandle(pi.hProcess);
    winfiles::UniqueHandle thread(pi.hThread);
    pid_ = pi.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

bool ChildProcess::Running() const {
    return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

} // namespace winproc
