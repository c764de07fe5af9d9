// The application title, derived from the executable's file name.
#pragma once

#include <string>

#include "shared/CodePage.h"
#include "shared/Text.h"

namespace app {

using LowerCaseFn = std::string (*)(const std::string&);

// The file name of an ANSI path, cut at its first full stop, lower case after the first
// character, and at most 255 bytes, never ending inside a character.
std::string AppTitleFromPath(const std::string& ansiPath,
                             shared::LeadByteTest isLead = shared::NoLeadBytes,
                             LowerCaseFn lower = shared::AsciiLower);

} // namespace app
