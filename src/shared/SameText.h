// Whether two history entries are the same entry: equal over their whole lengths with
// letter case ignored.
#pragma once

#include <string>

namespace shared {

// On Windows by the user's default locale (System.cpp); elsewhere by the letter case of
// A to Z only (SameTextAscii.cpp). The build picks one of the two.
bool SameText(const std::string& a, const std::string& b);

} // namespace shared
