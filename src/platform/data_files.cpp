#include "platform/data_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {

std::string dataFilePath(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::FILE* openDataFile(std::string_view name, const char* mode) {
  return std::fopen(dataFilePath(name).c_str(), mode);
}

std::optional<std::vector<std::uint8_t>> readDataFile(std::string_view name) {
  if (!dataFileExists(name)) return std::nullopt;
  std::ifstream in(dataFilePath(name), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool dataFileExists(std::string_view name) {
  std::error_code error;
  return std::filesystem::is_regular_file(dataFilePath(name), error);
}

}  // namespace platform
