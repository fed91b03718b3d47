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
  std::ifstream in(dataFilePath(name), std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  // One read of the whole file into one buffer.
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), size);
  if (in.gcount() != size) return std::nullopt;
  return bytes;
}

bool dataFileExists(std::string_view name) {
  std::error_code error;
  return std::filesystem::is_regular_file(dataFilePath(name), error);
}

}  // namespace platform
