#pragma once
// Data files are named as the show names them ("demo\backs\1.jpg"): the name
// is the stock key, compared byte for byte; only opening maps it to a path.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file system path of a data file name: '\' becomes '/'.
std::string dataFilePath(std::string_view name);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readDataFile(std::string_view name);

bool dataFileExists(std::string_view name);

}  // namespace platform
