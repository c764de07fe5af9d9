// The settings file as the history sees it: single values read and written by section and
// key. Windows-free, so the history's persistence rules are tested anywhere.
#pragma once

#include <string>
#include <utility>

namespace History {

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    virtual ~TCustomIniFile() = default;
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    // A missing file, section or key gives defaultValue; never fails.
    virtual std::string ReadValue(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) = 0;
    // Both raise EIniFileException when the file cannot be written.
    virtual void WriteValue(const std::string& section, const std::string& key,
                            const std::string& value) = 0;
    virtual void RemoveSection(const std::string& section) = 0;
    // Writes out what the system has cached for the file; failures are ignored.
    virtual void Flush() = 0;

private:
    std::string fileName_;
};

} // namespace History
