#include "platform/file_state.h"

#include <sys/stat.h>

#include <fstream>
#include <vector>

namespace platform {
namespace {

std::int64_t nanoseconds(const timespec& time) { return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec; }

// FNV-1a over the bytes: fast, and any byte changed changes it.
std::uint64_t hashOf(const std::string& path, std::uint64_t size) {
  std::vector<char> bytes(size);
  std::ifstream in(path, std::ios::binary);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return 0;
  std::uint64_t hash = 14695981039346656037ull;
  for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
  return hash;
}

}  // namespace

FileState fileState(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  FileState state{.present = true,
                  .modified = nanoseconds(status.st_mtim),
                  .changed = nanoseconds(status.st_ctim),
                  .size = static_cast<std::uint64_t>(status.st_size),
                  .device = static_cast<std::uint64_t>(status.st_dev),
                  .inode = static_cast<std::uint64_t>(status.st_ino)};
  if (state.size <= kHashedBytes) state.hash = hashOf(path, state.size);
  return state;
}

}  // namespace platform
