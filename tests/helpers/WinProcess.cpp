#include "WinProcess.h"

#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace winproc {

namespace {

// One slot of the GDI handle table (the layout Windows and Wine share, 64-bit fields in
// both builds); a free slot has type 0.
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

template <typename T> bool ReadAt(HANDLE process, ULONG64 address, T& value) {
    return address != 0 &&
           ReadProcessMemory(process,
                             reinterpret_cast<const void*>(static_cast<ULONG_PTR>(address)), &value,
                             sizeof value, nullptr);
}

// What the first thread of the process reports as its TEB.
ULONG64 FirstThreadTeb(DWORD pid) {
    // THREAD_BASIC_INFORMATION, which the MinGW headers lack; only the TEB is read.
    struct ThreadBasicInformation {
        NTSTATUS exitStatus; // cppcheck-suppress unusedStructMember ; the system's layout
        PVOID teb;
        CLIENT_ID clientId;
        KAFFINITY affinity;
        LONG priority, basePriority; // cppcheck-suppress unusedStructMember ; as above
    };
    using QueryThread = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    const winfiles::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more && query;
         more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != pid)
            continue;
        const winfiles::UniqueHandle thread(
            OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        ThreadBasicInformation info{};
        if (thread.Valid() && query(thread.Get(), 0, &info, sizeof info, nullptr) >= 0)
            return reinterpret_cast<ULONG_PTR>(info.teb);
    }
    return 0;
}

// Where the process keeps its GDI handle table, or 0.
ULONG64 GdiTableAddress(HANDLE process, DWORD pid) {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) <
        0)
        return 0;
    const auto peb = reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress);
    ULONG_PTR table = 0;
    // PEB::GdiSharedHandleTable.
    if (ReadAt(process, peb + (sizeof(void*) == 8 ? 0xF8 : 0x94), table) && table != 0)
        return table;
    if (sizeof(void*) == 8)
        return 0;
    // A 32-bit process under Wine keeps it in its 64-bit PEB only: TEB32::GdiBatchCount holds
    // the TEB64, whose PEB64 holds the table.
    ULONG teb64 = 0;
    ULONG64 peb64 = 0, table64 = 0;
    if (ReadAt(process, FirstThreadTeb(pid) + 0xF70, teb64) &&
        ReadAt(process, teb64 + 0x60, peb64) && ReadAt(process, peb64 + 0xF8, table64))
        return table64;
    return 0;
}

} // namespace

int GdiObjectCount(HANDLE process, DWORD pid) {
    if (const DWORD counted = GetGuiResources(process, GR_GDIOBJECTS))
        return static_cast<int>(counted);
    const ULONG64 table = GdiTableAddress(process, pid);
    if (table == 0)
        return -1;
    // Slots are handed out from the bottom up: read a page at a time up to the first page never
    // used, since reading the whole 1.5 MB table would make all of it resident in the process.
    constexpr size_t kPage = 4096;
    const size_t tableBytes = kGdiHandleSlots * sizeof(GdiHandleEntry);
    std::vector<unsigned char> bytes;
    for (size_t offset = 0; offset < tableBytes; offset += kPage) {
        std::vector<unsigned char> page(std::min(kPage, tableBytes - offset));
        if (!ReadProcessMemory(
                process, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(table + offset)),
                page.data(), page.size(), nullptr))
            return -1;
        if (offset > 0 &&
            std::all_of(page.begin(), page.end(), [](unsigned char b) { return b == 0; }))
            break;
        bytes.insert(bytes.end(), page.begin(), page.end());
    }
    int live = 0;
    for (size_t at = 0; at + sizeof(GdiHandleEntry) <= bytes.size(); at += sizeof(GdiHandleEntry)) {
        GdiHandleEntry entry;
        std::memcpy(&entry, &bytes[at], sizeof entry);
        live += entry.type != 0 ? 1 : 0;
    }
    return live;
}

std::set<DWORD> ChildProcessIds(DWORD parentPid) {
    std::set<DWORD> children;
    const winfiles::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == parentPid)
            children.insert(entry.th32ProcessID);
    return children;
}

std::wstring Widen(const std::string& s, UINT codePage) {
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty())
        return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr,
                        nullptr);
    return s;
}

std::vector<std::string> SplitCommandLine(const std::string& cmdline) {
    int argc = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
        CommandLineToArgvW(Widen(cmdline).c_str(), &argc), &LocalFree);
    std::vector<std::string> out;
    for (int i = 0; argv && i < argc; ++i)
        out.push_back(Narrow(argv.get()[i]));
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
        const size_t end = std::min(text.find("\r\n", pos), text.size());
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
                           const std::string& arguments, std::optional<WORD> showState)
    : ChildProcess(Widen(exePath), currentDir, arguments, showState) {}

ChildProcess::ChildProcess(const std::wstring& exePath, const std::string& currentDir,
                           const std::string& arguments, std::optional<WORD> showState) {
    std::wstring wideLine = L"\"" + exePath + L"\"";
    if (!arguments.empty())
        wideLine += L" " + Widen(arguments);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (showState) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = *showState;
    }
    PROCESS_INFORMATION pi = {};
    // Wide, so that a program in a folder deeper than MAX_PATH, or named beyond the code page,
    // can be started too.
    const std::wstring wideDir = Widen(currentDir);
    // A program deeper than MAX_PATH is named by the command line alone.
    if (!CreateProcessW(exePath.size() < MAX_PATH ? exePath.c_str() : nullptr, &wideLine[0],
                        nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : wideDir.c_str(), &si, &pi))
        throw std::runtime_error(winfiles::LastErrorText("starting " + Narrow(exePath)));
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
