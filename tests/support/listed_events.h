#pragma once
// The timeline as --list-events prints it, one string a line.
#include <string>
#include <vector>

namespace fake {

std::vector<std::string> listedEvents();

}  // namespace fake
