// Whether two history entries are the same entry: equal over their whole lengths with
// letter case ignored.
#pragma once

#include <string>

// On Windows by the user's default locale; elsewhere letter case of A to Z only.
bool SameText(const std::string& a, const std::string& b);
