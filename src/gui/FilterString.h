// The save dialog's filter ("Description|pattern|...") in the form the common dialog
// takes: zero-separated strings ending with two zero bytes.
#pragma once

#include <string>

#include "shared/CodePage.h"

namespace gui {

// The result holds the embedded zeros; its own last byte is the first of the two closing
// zeros and c_str() supplies the second. A '|' that is the trail byte of a double-byte
// character is kept.
std::string FilterToDoubleZeroList(const std::string& filter,
                                   shared::LeadByteTest isLead = shared::NoLeadBytes);

} // namespace gui
