#pragma once
// What the file system says of a file, enough to tell that it changed: its
// times (the change time moves with every write, and no copy that keeps the
// modification time can set it), its size and which file it is (a file
// replaced by another under its name is another inode), and for a small
// file a hash of its bytes (a file system whose times are coarse may show a
// same-size rewrite with the same times).
#include <cstdint>
#include <string>

namespace platform {

struct FileState {
  bool present = false;  // false: it cannot be seen; the rest is zero
  std::int64_t modified = 0;  // nanoseconds
  std::int64_t changed = 0;   // nanoseconds, the inode's change time
  std::uint64_t size = 0;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t hash = 0;  // of the bytes, up to kHashedBytes; 0 for a larger file
  bool operator==(const FileState&) const = default;
};

inline constexpr std::uint64_t kHashedBytes = 1 << 20;

FileState fileState(const std::string& path);

}  // namespace platform
