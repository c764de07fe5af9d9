#include "History/IniFile.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <string>

#include "shared/Exceptions.h"

namespace {

// Values longer than this minus one come back cut; the terminating zero needs a byte.
constexpr DWORD kReadBufferSize = 2048;

[[noreturn]] void ThrowUnableToWrite(const std::string& path) {
    // Appended, never formatted: a folder named "100%s" must show as itself.
    throw EIniFileException("Unable to write to " + path);
}

bool FileIsMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// How often a hand-edited file repeats the section. Only the first copy is read and each
// removal takes one, so a save must remove them all or stale entries come back.
int SectionCount(const std::string& path, const std::string& section) {
    std::string names(4096, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileSectionNamesA(
            names.data(), static_cast<DWORD>(names.size()), path.c_str());
        if (length + 2 < names.size() || names.size() >= (1u << 26))
            break;
        names.assign(names.size() * 4, '\0');
    }
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

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() {
    TIniFile::Flush();
}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
    std::array<char, kReadBufferSize> buffer{};
    const DWORD copied =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 kReadBufferSize, FileName().c_str());
    return {buffer.data(), copied < kReadBufferSize ? copied : kReadBufferSize - 1};
}

void TIniFile::WriteValue(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), StorableValue(value).c_str(),
                                    FileName().c_str()))
        ThrowUnableToWrite(FileName());
}

void TIniFile::RemoveSection(const std::string& section) {
    // A first run that never recorded anything has no file yet: there is nothing to
    // remove, the close must go ahead, and no empty file should appear.
    if (FileIsMissing(FileName()))
        return;
    const int copies = SectionCount(FileName(), section);
    for (int i = 0; i < (copies > 1 ? copies : 1); ++i)
        if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FileName().c_str()))
            ThrowUnableToWrite(FileName());
}

void TIniFile::Flush() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName().c_str());
}
