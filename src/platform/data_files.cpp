#include "platform/data_files.h"

#include <algorithm>

namespace platform {

std::string dataFilePath(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::FILE* openDataFile(std::string_view name, const char* mode) {
  return std::fopen(dataFilePath(name).c_str(), mode);
}

}  // namespace platform
