// The settings file lives beside the executable, named after it.
#pragma once

#include <string>

#include "shared/CodePage.h"

namespace History {

// The executable's folder and base name with ".ini"; "" when exePath names no folder, so that
// no settings file is looked for in whatever folder is current.
std::string SettingsPathFor(const std::string& exePath,
                            shared::LeadByteTest isLead = shared::NoLeadBytes);

} // namespace History
