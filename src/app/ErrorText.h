// Texts of the two error boxes.
#pragma once

#include <string>

#include "shared/CodePage.h"

namespace app {

// The message, with a full stop added when its last character's code (the lead byte of a
// double-byte character) lies above that of the full stop.
std::string ErrorBoxText(const std::string& message,
                         shared::LeadByteTest isLead = shared::NoLeadBytes);

// The text with a line break put into every run of characters without a blank that would
// make a message box wider than the screen, such as a long path: after a path separator once
// the run is 60 characters long, or anywhere at 100.
std::string WrapLongRuns(const std::string& text,
                         shared::LeadByteTest isLead = shared::NoLeadBytes);

// The text of the "Application Error" box for an error that is no Exception, or that arose
// before the main window existed. moduleFileName carries no directory.
// A class name as C++ spells it ("std::runtime_error") from the name the compiler gives it
// ("St13runtime_error"), for plain and nested class names; anything else comes back as it
// is. The runtime's demangler would add tens of kilobytes for a box that should never show.
std::string ReadableTypeName(const std::string& mangled);

std::string GenericErrorText(const std::string& className, const std::string& moduleFileName,
                             const void* address, const std::string& message);

} // namespace app
