#include "WinFiles.h"

#include <atomic>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "WinProcess.h"

namespace winfiles {

std::string LastErrorText(const std::string& what) {
    return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

std::wstring LongPath(const std::string& path) {
    return L"\\\\?\\" + winproc::Widen(path);
}

namespace {

// A search of a folder's entries (FindFirstFile), closed when the holder goes.
struct FindCloser {
    void operator()(HANDLE find) const {
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

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

// Wide, behind "\\?\": a test may leave folders deeper than MAX_PATH, or named beyond the
// code page.
bool RemoveWideTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    const std::wstring inDir = dir + L"\\";
    {
        const FindHandle find(FindFirstFileW((inDir + L"*").c_str(), &fd));
        for (BOOL more = find.get() != INVALID_HANDLE_VALUE; more;
             more = FindNextFileW(find.get(), &fd)) {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = inDir + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveWideTree(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        }
    }
    return RemoveDirectoryW(dir.c_str()) != 0;
}

// For the wide calls: behind "\\?\" where it is too long for the others.
std::wstring WidePath(const std::string& path) {
    return path.size() < MAX_PATH ? winproc::Widen(path) : LongPath(path);
}

} // namespace

bool RemoveTree(const std::string& dir) {
    return RemoveWideTree(LongPath(dir));
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

std::string TempDir::MakeLongFolder(std::size_t length) const {
    std::string folder = path_;
    for (int level = 0; folder.size() < length; ++level) {
        folder += "\\" + std::string(60, static_cast<char>('a' + level % 26));
        if (!CreateDirectoryW(LongPath(folder).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error(LastErrorText("creating " + folder));
    }
    return folder;
}

std::string TempDir::MakeFile(const std::string& name) const {
    std::string file = *this / name;
    WriteFileText(file, "");
    return file;
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && SamePath(text.substr(text.size() - tail.size()), tail);
}

bool IsFullPath(const std::string& path) {
    return path.size() > 3 && path[1] == ':' && path[2] == '\\';
}

bool FileExists(const std::string& path) {
    DWORD attr = GetFileAttributesW(WidePath(path).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attr = GetFileAttributesW(WidePath(path).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WinPath(const std::string& linuxPath) {
    std::string out = "Z:" + linuxPath;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

bool CopyTo(const std::string& from, const std::string& to) {
    return CopyFileW(winproc::Widen(from).c_str(), WidePath(to).c_str(), FALSE) != FALSE;
}

UniqueHandle CreateToWrite(const std::string& path) {
    return UniqueHandle(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ReadFileText(const std::string& path) {
    return ReadFileText(WidePath(path));
}

std::string ReadFileText(const std::wstring& path) {
    // Shared with every other user: the program under test may hold the file.
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
        const FindHandle find(FindFirstFileA((path.substr(0, end) + "\\*").c_str(), &entry));
        while (find.get() != INVALID_HANDLE_VALUE && FindNextFileA(find.get(), &entry)) {
        }
        if (end == std::string::npos)
            break;
    }
}

} // namespace winfiles
