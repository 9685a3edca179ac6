// The one rule that turns an option text into process arguments: split at spaces, with a
// double-quoted group kept together as one argument (its quotes removed). Used by the program
// for the profile's argument line and by the transcoder's own tests.
#pragma once

#include <string>
#include <vector>

namespace argsplit {

std::vector<std::string> Split(const std::string& text);

} // namespace argsplit
