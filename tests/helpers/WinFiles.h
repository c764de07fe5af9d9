// Handles, scratch folders and file contents for the Windows test and benchmark programs.
#pragma once

#include <windows.h>

#include <string>

#include "shared/Handles.h"

namespace winfiles {

// Owns a kernel handle; closes it when it goes: the program's own holder.
using UniqueHandle = shared::TKernelHandle;

// "<what> failed (error <the last error>)".
std::string LastErrorText(const std::string& what);

// Deletes a folder with everything in it, read-only files included.
bool RemoveTree(const std::string& dir);

// A fresh, uniquely named folder under the Windows temp folder (by its long name, as the
// system's pickers hand paths back), so nothing carries over from one run to the next;
// removed with everything in it when the object goes.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "vesk-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "\" + name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // Makes the folder (kept if it is there already) or the empty file; returns its path.
    std::string MakeFolder(const std::string& name) const;
    std::string MakeFile(const std::string& name) const;
    // Makes folders nested in this one until the path is at least `length` characters long,
    // past MAX_PATH if asked; returns it.
    std::string MakeLongFolder(std::size_t length) const;

private:
    std::string path_;
};

// "\\?\" and a full path, for the wide calls past MAX_PATH.
std::wstring LongPath(const std::string& path);

// "/tmp/x/y" -> "Z:\tmp\x\y": Wine maps the Linux root to drive Z.
std::string WinPath(const std::string& linuxPath);

// Copies a file over any that is there, to a path of any length.
bool CopyTo(const std::string& from, const std::string& to);

// Paths as the file system compares them, letter case ignored.
bool SamePath(const std::string& a, const std::string& b);
bool EndsWithNoCase(const std::string& text, const std::string& tail);
// A drive letter, a colon and a backslash, and more.
bool IsFullPath(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Created anew, or emptied, for writing; invalid when it cannot be.
UniqueHandle CreateToWrite(const std::string& path);
// False unless every byte was written.
bool WriteAll(HANDLE file, const std::string& bytes);

// Whole file as bytes; empty when it cannot be read.
std::string ReadFileText(const std::string& path);
// The same by a path that the code page may not hold.
std::string ReadFileText(const std::wstring& path);
// Replaces the file's content; throws when it cannot.
void WriteFileText(const std::string& path, const std::string& content);

// Wine's folder browser finds its start folder by comparing item IDs byte for byte, and those
// carry last-access times: a folder just written to gets a new one on its next listing, which
// can land between the browser's two looks. Listing every folder on the way once settles them.
void SettleAccessTimes(const std::string& path);

} // namespace winfiles
