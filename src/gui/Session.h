// The rules behind the main window, free of the Windows API: what "Create!" checks, records and
// starts, and what the settings file keeps from one run to the next. The window reads its
// fields, hands them over and shows what is raised; what the rules need of the system comes
// through the small seams of TSessionSystem.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "History/CustomIniFile.h"
#include "History/History.h"
#include "builder/Parameters.h"
#include "shared/CodePage.h"
#include "shared/Exceptions.h"

namespace gui {

// The two refusals that a drop shares with "Create!": a missing source, and a field's text that
// the code page cannot hold, named by the field's label.
inline constexpr const char* kSourceMissing = "The specified source does not exist";
std::string CodePageRefusal(const std::string& label);

// A refusal of "Create!" that one field's text is at fault for: once the user has read why,
// the keyboard focus goes there, as the system's own dialogs put the user back in the field.
class EFieldRefusal : public shared::Exception {
public:
    EFieldRefusal(const std::string& message, int field)
        : shared::Exception(message), field_(field) {}
    // The id of the field, as its builder argument names it.
    int Field() const { return field_; }

private:
    int field_;
};

// What the rules ask of the system.
struct TSessionSystem {
    // Whether the path names an existing folder; a relative path counts from the current one.
    std::function<bool(const std::string& path)> isFolder;
    shared::LeadByteTest isLead = shared::NoLeadBytes;
    // The running executable's full path, beside which the builder and the settings file lie;
    // "" when the system cannot say, or when the code page cannot hold its folder's name and
    // no short name stands in for it (exeBeyondCodePage).
    std::string exePath;
    bool exeBeyondCodePage = false;
    // Whether a file is there, or may be, but cannot be read.
    std::function<bool(const std::string& path)> settingsUnreadable;
    // Hands the settings file at the path to `use`, and releases (and so flushes) it after.
    std::function<void(const std::string& path,
                       const std::function<void(History::TCustomIniFile&)>& use)>
        withSettings;
    // Starts the builder with the parameters and returns at once, without waiting for it;
    // raises a user error when it cannot be started.
    std::function<void(const std::string& builderPath, const std::string& parameters)> launch;
};

class TSession {
public:
    TSession(History::THistory& sources, History::THistory& outputs, TSessionSystem system);

    // "Create!": checks the arguments read from the fields, refuses what cannot reach the
    // builder whole, puts the source and the output first in their histories and starts the
    // builder beside the executable. A user error before the histories records nothing.
    void Create(const builder::TBuilderArguments& arguments);

    // At start: loads both histories from the settings file beside the executable. A file there
    // that cannot be read raises "Unable to read" with the path, and the histories stay empty.
    void LoadSettings();
    // At close: saves both histories, the second also when the first fails; each keeps this
    // run's entries first, then those the file holds now (another copy of the program may
    // have recorded them, or the file could not be read at start), up to the limit. A file
    // that could be read neither at start nor now is left alone, and the user is told what
    // was not saved.
    void SaveSettings();
    // Where the histories are kept: worked out from the executable's path once, read at start
    // and written at close; "" when that path names no folder.
    const std::string& SettingsPath() const { return settingsPath_; }

private:
    void LoadHistory(History::THistory& history, const std::string& section);
    void SaveHistory(History::THistory& history, const std::string& section);

    History::THistory& sources_;
    History::THistory& outputs_;
    TSessionSystem system_;
    std::string settingsPath_;
    bool settingsRead_ = true; // the settings file could be read when the window was made
};

} // namespace gui
