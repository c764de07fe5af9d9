// The rules behind the main window, free of the Windows API: what "Create!" checks, records and
// hands to the builder, and what the settings file keeps from one run to the next. The window
// reads its fields, hands them over, launches the builder and shows what is raised; what the
// rules need of the system comes through the small seams of TSessionSystem.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "History/CustomIniFile.h"
#include "History/History.h"
#include "shared/CodePage.h"

// Where the histories are kept: worked out once, when the window is created, and read again
// when it closes.
extern std::string SettingsFilePath;

namespace gui {

// What the rules ask of the system.
struct TSessionSystem {
    // Whether the path names an existing folder; a relative path counts from the current one.
    std::function<bool(const std::string& path)> isFolder;
    LeadByteTest isLead = NoLeadBytes;
    // Whether a file is there, or may be, but cannot be read.
    std::function<bool(const std::string& path)> settingsUnreadable;
    // Hands the settings file at the path to `use`, and releases (and so flushes) it after.
    std::function<void(const std::string& path, const std::function<void(TCustomIniFile&)>& use)>
        withSettings;
};

// One builder option's field as the window read it, in the order of kBuilderOptions. A text
// is absent when the field holds a character the ANSI code page cannot represent.
struct TFieldValue {
    std::optional<std::string> text;
    bool checked = false;
    std::int32_t number = 0;
};

class TSession {
public:
    TSession(THistory& sources, THistory& outputs, TSessionSystem system);

    // "Create!" up to the launch: checks the fields, refuses what cannot reach the builder
    // whole, puts the source and the output first in their histories, and returns the
    // parameter string. A user error ends it with nothing recorded.
    std::string Create(const std::vector<TFieldValue>& fields, const std::string& builderPath);

    // At start: keeps the path and loads both histories from the file. A file there that
    // cannot be read raises "Unable to read" with the path, and the histories stay empty.
    void LoadSettings(const std::string& path);
    // At close: saves both histories, the second also when the first fails. A file that could
    // not be read at start keeps its entries behind this run's, or is left alone while it
    // still cannot be read.
    void SaveSettings();

private:
    void LoadHistory(THistory& history, const std::string& section);
    void SaveHistory(THistory& history, const std::string& section);

    THistory& sources_;
    THistory& outputs_;
    TSessionSystem system_;
    bool settingsRead_ = true; // the settings file could be read when the window was made
};

} // namespace gui
