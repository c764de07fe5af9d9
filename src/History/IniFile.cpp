#include "History/IniFile.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "shared/Exceptions.h"
#include "shared/Handles.h"
#include "shared/System.h"
#include "shared/Text.h"

namespace History {

namespace {

// The first try holds most entries; longer ones take more tries.
constexpr DWORD kReadBufferSize = 2048;
// No entry the program writes comes near it; a file made to be hostile stops here.
constexpr DWORD kLongestValue = 1u << 26;
// The longest value the ANSI write passes on whole.
constexpr std::size_t kLongestAnsiValue = 32767;

[[noreturn]] void ThrowUnableToWrite(const std::string& path) {
    // Appended, never formatted: a folder named "100%s" must show as itself.
    throw shared::EIniFileException("Unable to write to " + path);
}

// Whether the last failed look at a path said it is not there.
bool LastErrorIsNotFound() {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool FileIsMissing(const std::string& path) {
    return shared::PathAttributes(path) == INVALID_FILE_ATTRIBUTES && LastErrorIsNotFound();
}

// How often a hand-edited file repeats the section. Only the first copy is read and each
// removal takes one, so a save must remove them all or stale entries come back.
int SectionCount(const std::string& path, const std::string& section) {
    // The names, each ending in a zero; c_str() adds the zero that ends the list.
    const std::string names =
        shared::ReadGrowing(4096, kLongestValue, 2, [&](char* buffer, std::size_t size) {
            return GetPrivateProfileSectionNamesA(buffer, static_cast<DWORD>(size), path.c_str());
        });
    int count = 0;
    for (const char* name = names.c_str(); *name; name += std::strlen(name) + 1)
        if (lstrcmpiA(name, section.c_str()) == 0)
            ++count;
    return count;
}

// What the file format can hold of a value. A line break would end the key and start
// lines of its own; blanks at either end and one pair of surrounding quotes are dropped
// when the value is read back, so such a value is kept inside quotes of its own.
std::string StorableValue(const std::string& value) {
    std::string line = value.substr(0, value.find_first_of("\r\n"));
    if (line.empty())
        return line;
    auto isTrimmed = [](char c) {
        return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
    };
    const char first = line.front(), last = line.back();
    const bool quoted = line.size() >= 2 && first == last && (first == '"' || first == '\'');
    if (isTrimmed(first) || isTrimmed(last) || quoted)
        return '"' + line + '"';
    return line;
}

} // namespace

bool IniFileUnreadable(const std::string& path) {
    // A share that does not answer or a folder that may not be looked into could hold the
    // file: only "not found" means there is nothing to lose.
    const DWORD attributes = shared::PathAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return !LastErrorIsNotFound();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    // The sharing the private-profile functions ask for when they read.
    const shared::TKernelHandle file(CreateFileW(shared::WidePath(path).data(), GENERIC_READ,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file.Valid();
}

TIniFile::TIniFile(std::string fileName)
    : TCustomIniFile(std::move(fileName)), systemName_(shared::PathForShortCall(FileName())) {}

TIniFile::~TIniFile() {
    TIniFile::Flush();
}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
    if (presence_ == TPresence::Unknown)
        presence_ = FileIsMissing(FileName()) ? TPresence::Missing : TPresence::There;
    if (presence_ == TPresence::Missing)
        return defaultValue;
    // A value that fills the buffer but for its terminating zero may have been cut (and one
    // byte less, where the cut would split a double-byte character): grow the buffer until
    // the value fits, or an entry comes back shorter at the next start.
    return shared::ReadGrowing(
        kReadBufferSize, kLongestValue, 2, [&](char* buffer, std::size_t size) {
            return GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            buffer, static_cast<DWORD>(size), systemName_.c_str());
        });
}

void TIniFile::WriteValue(const std::string& section, const std::string& key,
                          const std::string& value) {
    const std::string stored = StorableValue(value);
    // The ANSI call carries the value in a counted Unicode string of at most 32,767
    // characters and writes a longer one as garbage; the Unicode call has no such limit.
    const bool written =
        stored.size() < kLongestAnsiValue
            ? WritePrivateProfileStringA(section.c_str(), key.c_str(), stored.c_str(),
                                         systemName_.c_str()) != FALSE
            : WritePrivateProfileStringW(shared::WideFromAnsi(section).data(),
                                         shared::WideFromAnsi(key).data(),
                                         shared::WideFromAnsi(stored).data(),
                                         shared::WideFromAnsi(systemName_).data()) != FALSE;
    if (!written)
        ThrowUnableToWrite(FileName());
    presence_ = TPresence::There;
}

void TIniFile::RemoveSection(const std::string& section) {
    // A first run that never recorded anything has no file yet: there is nothing to
    // remove, the close must go ahead, and no empty file should appear.
    presence_ = TPresence::Unknown;
    if (FileIsMissing(FileName()))
        return;
    const int copies = SectionCount(systemName_, section);
    for (int i = 0; i < (copies > 1 ? copies : 1); ++i)
        if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, systemName_.c_str()))
            ThrowUnableToWrite(FileName());
}

void TIniFile::Flush() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, systemName_.c_str());
}

} // namespace History
