// Stands in for VKB.exe in the end-to-end tests: appends how it was started (its raw
// command line and its current directory) to VKB.log beside itself, then exits 0.
#include <windows.h>

#include <string>

#include "WinFiles.h"

namespace {

// Wide: started from a folder whose name the code page cannot hold, the ANSI path would name
// no folder.
std::wstring OwnPath() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
        if (n == 0)
            return {};
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

std::string CurrentDir() {
    DWORD need = GetCurrentDirectoryA(0, nullptr);
    std::string buf(need, '\0');
    DWORD n = GetCurrentDirectoryA(need, &buf[0]);
    buf.resize(n < need ? n : 0);
    return buf;
}

} // namespace

int main() {
    std::wstring log = OwnPath();
    std::wstring::size_type slash = log.find_last_of(L"\\/");
    log = (slash == std::wstring::npos ? std::wstring() : log.substr(0, slash + 1)) + L"VKB.log";

    const std::string record =
        std::string("CMDLINE ") + GetCommandLineA() + "\r\nCWD " + CurrentDir() + "\r\n";

    // Exclusive access keeps two records from interleaving; a second builder started at
    // the same moment waits its turn.
    for (int attempt = 0; attempt < 500; ++attempt) {
        winfiles::UniqueHandle file(CreateFileW(log.c_str(), FILE_APPEND_DATA, 0, nullptr,
                                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid())
            return winfiles::WriteAll(file.Get(), record) ? 0 : 3;
        DWORD err = GetLastError();
        if (err != ERROR_SHARING_VIOLATION && err != ERROR_ACCESS_DENIED &&
            err != ERROR_LOCK_VIOLATION)
            return 2;
        Sleep(10);
    }
    return 4;
}
