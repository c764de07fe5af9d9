#include "History/IniFile.h"

#include <windows.h>

#include "History/History.h"
#include "app/Exceptions.h"

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

} // namespace

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

TIniFile::~TIniFile() {
    Flush();
}

std::string TIniFile::ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
    char buffer[kReadBufferSize] = {};
    const DWORD copied =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                 kReadBufferSize, FileName().c_str());
    return std::string(buffer, copied < kReadBufferSize ? copied : kReadBufferSize - 1);
}

void TIniFile::WriteValue(const std::string& section, const std::string& key,
                          const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    FileName().c_str()))
        ThrowUnableToWrite(FileName());
}

void TIniFile::RemoveSection(const std::string& section) {
    // A first run that never recorded anything has no file yet: there is nothing to
    // remove, the close must go ahead, and no empty file should appear.
    if (FileIsMissing(FileName()))
        return;
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FileName().c_str()))
        ThrowUnableToWrite(FileName());
}

void TIniFile::Flush() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName().c_str());
}

void THistory::LoadFromIniFile(const std::string& path, const std::string& section) {
    // Released, and so flushed, on every path out, the error paths included.
    TIniFile ini(path);
    LoadFromIni(&ini, section);
}

void THistory::SaveToIniFile(const std::string& path, const std::string& section) {
    TIniFile ini(path);
    SaveToIni(&ini, section);
}
