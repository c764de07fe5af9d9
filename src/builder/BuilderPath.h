// Where the builder is looked for: beside our own executable.
#pragma once

#include <string>

#include "shared/CodePage.h"

// The directory of exePath (up to its last "\\" or "/", or a bare drive "X:"), ending in
// "\\", followed by "VKB.exe".
std::string BuilderPathFor(const std::string& exePath, LeadByteTest isLead = NoLeadBytes);
