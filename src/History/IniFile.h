// The settings file over the system's private-profile functions.
#pragma once

#include <string>

#include "History/CustomIniFile.h"

namespace History {

// True when a file is there, or may be, but cannot be opened for reading, for instance while
// another program holds it or its folder cannot be reached: the private-profile functions
// would then read nothing without a word. A file that is not found, or a folder in its
// place, holds nothing to lose.
bool IniFileUnreadable(const std::string& path);

// Over the private-profile functions. Creating it does not touch the file; releasing it
// flushes.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile() override;
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void WriteValue(const std::string& section, const std::string& key,
                    const std::string& value) override;
    void RemoveSection(const std::string& section) override;
    void Flush() override;

private:
    // Whether the file was missing at the first read: each read of a missing file would
    // look for it again.
    enum class TPresence { Unknown, Missing, There } presence_ = TPresence::Unknown;
    // The name the private-profile functions are given: they take no path of MAX_PATH or more.
    std::string systemName_;
};

} // namespace History
