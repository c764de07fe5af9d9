// The settings file lives beside the executable, named after it.
#pragma once

#include <string>

#include "shared/CodePage.h"

// exePath with its extension (from the last "." after the last "\\" and ":") replaced by
// ".ini", or with ".ini" appended when it has none.
std::string SettingsPathFor(const std::string& exePath, LeadByteTest isLead = NoLeadBytes);
