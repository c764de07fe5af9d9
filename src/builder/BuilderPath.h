// Where the builder is looked for: beside our own executable, and nowhere else.
#pragma once

#include <string>

#include "shared/CodePage.h"

namespace builder {

// "VKB.exe" in the folder of exePath, with a '\\' put between where the folder does not end in
// one; "" when exePath names no folder, since a bare name would be looked for along the
// search path.
std::string BuilderPathFor(const std::string& exePath,
                           shared::LeadByteTest isLead = shared::NoLeadBytes);

} // namespace builder
