#pragma once
// Data files are named the way the show names them (`demo\backs\1.jpg`):
// those names are also stock keys, compared byte for byte. Only the file
// system sees them with '/' separators, and only through these functions.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The name as this file system spells it: every '\' becomes '/'.
std::string dataFilePath(std::string_view name);

// How a data file is named to people (messages, the log): one form, the
// file system's, whatever form the show's script wrote it in.
inline std::string shownName(std::string_view name) { return dataFilePath(name); }

// fopen of the data file `name`; null when it cannot be opened.
std::FILE* openDataFile(std::string_view name, const char* mode);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readDataFile(std::string_view name);

bool dataFileExists(std::string_view name);

}  // namespace platform
