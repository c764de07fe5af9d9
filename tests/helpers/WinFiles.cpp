#include "WinFiles.h"

#include <atomic>
#include <array>
#include <stdexcept>
#include <vector>

namespace winfiles {

namespace {

std::string LastErrorText(const std::string& what) {
    return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

struct FindHandle {
    HANDLE h;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
};

// The temp folder with a trailing backslash; its long name where the system gives a short one.
std::string TempBase() {
    std::array<char, MAX_PATH + 1> temp{};
    DWORD n = GetTempPathA(static_cast<DWORD>(temp.size()), temp.data());
    if (n == 0 || n > MAX_PATH)
        throw std::runtime_error("GetTempPathA failed");
    std::array<char, MAX_PATH + 1> longName{};
    const DWORD longLength =
        GetLongPathNameA(temp.data(), longName.data(), static_cast<DWORD>(longName.size()));
    std::string base = longLength > 0 && longLength <= MAX_PATH
                           ? std::string(longName.data(), longLength)
                           : std::string(temp.data(), n);
    if (base.back() != '\\')
        base += '\\';
    return base;
}

} // namespace

bool RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    {
        FindHandle find{FindFirstFileA((dir + "\\*").c_str(), &fd)};
        if (find.h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string full = dir + "\\" + name;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(find.h, &fd));
        }
    }
    return RemoveDirectoryA(dir.c_str()) != 0;
}

TempDir::TempDir(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    const std::string base = TempBase();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = base + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(counter++) + "-" +
                                std::to_string(GetTickCount64() % 100000);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a folder under " + base);
}

TempDir::~TempDir() {
    // A program that has just exited may still hold its exe open for a moment.
    for (int attempt = 0; attempt < 150 && !RemoveTree(path_); ++attempt)
        Sleep(20);
}

std::string TempDir::MakeFolder(const std::string& name) const {
    std::string folder = *this / name;
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error(LastErrorText("creating " + folder));
    return folder;
}

std::string TempDir::MakeFile(const std::string& name) const {
    std::string file = *this / name;
    WriteFileText(file, "");
    return file;
}

bool FileExists(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

UniqueHandle OpenToRead(const std::string& path) {
    return UniqueHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

UniqueHandle CreateToWrite(const std::string& path) {
    return UniqueHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ReadFileText(const std::string& path) {
    const UniqueHandle file = OpenToRead(path);
    if (!file.Valid())
        return {};
    std::string out;
    std::vector<char> buf(65536);
    DWORD got = 0;
    while (ReadFile(file.Get(), buf.data(), static_cast<DWORD>(buf.size()), &got, nullptr) &&
           got > 0)
        out.append(buf.data(), got);
    return out;
}

void WriteFileText(const std::string& path, const std::string& content) {
    const UniqueHandle file = CreateToWrite(path);
    if (!file.Valid())
        throw std::runtime_error(LastErrorText("creating " + path));
    if (!WriteAll(file.Get(), content))
        throw std::runtime_error(LastErrorText("writing " + path));
}

void SettleAccessTimes(const std::string& path) {
    for (std::size_t end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
        WIN32_FIND_DATAA entry;
        FindHandle find{FindFirstFileA((path.substr(0, end) + "\\*").c_str(), &entry)};
        if (find.h != INVALID_HANDLE_VALUE) {
            while (FindNextFileA(find.h, &entry)) {
            }
        }
        if (end == std::string::npos)
            break;
    }
}

} // namespace winfiles
