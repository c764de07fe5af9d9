// Handles and scratch folders for the Windows test and benchmark programs.
#pragma once

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace winfiles {

// Owns a kernel handle; closes it when it goes.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            h_ = other.h_;
            other.h_ = nullptr;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    void Reset() {
        if (Valid())
            CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

struct FindHandle {
    HANDLE h;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
};

// Deletes a folder with everything in it, read-only files included.
inline bool RemoveTree(const std::string& dir) {
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

// A fresh, uniquely named folder under the Windows temp folder, so nothing carries over
// from one run to the next; removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "vesk-test") {
        static std::atomic<unsigned> counter{0};
        char temp[MAX_PATH + 1] = {};
        DWORD n = GetTempPathA(sizeof temp, temp);
        if (n == 0 || n > MAX_PATH)
            throw std::runtime_error("GetTempPathA failed");
        std::string base(temp, n);
        if (base.back() != '\\')
            base += '\\';
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = base + prefix + "-" + std::to_string(GetCurrentProcessId()) +
                                    "-" + std::to_string(counter++) + "-" +
                                    std::to_string(GetTickCount64() % 100000);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) {
                path_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a folder under " + base);
    }
    ~TempDir() {
        // A program that has just exited may still hold its exe open for a moment.
        for (int attempt = 0; attempt < 150 && !RemoveTree(path_); ++attempt)
            Sleep(20);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "\" + name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

} // namespace winfiles
