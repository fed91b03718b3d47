#pragma once
// What a data file was when a stock read it: its times, size, which file it
// is and, when small, a hash of its bytes (platform/file_state.h), and how
// many times a watch had reported it changed. A file whose stamp differs now
// has changed since (or gone): a copy that keeps the modification time, a
// same-size rewrite within a coarse file system's time resolution and a
// change the watch saw are all changes.
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/file_state.h"

namespace kst {

struct SourceStamp {
  std::string file;  // as the show names it (demo\backs\1.jpg)
  bool present = false;
  std::filesystem::file_time_type written{};
  platform::FileState state;
  std::uint64_t reports = 0;

  // The file as it is now; a file that cannot be seen is not present.
  static SourceStamp of(const std::string& file);
  bool changed() const { return of(file) != *this; }
  bool operator==(const SourceStamp&) const = default;

  // A watch saw `path` (as the file system names it, "demo/backs/1.jpg")
  // change: every stamp of it taken before now differs from one taken now.
  static void reportChanged(const std::string& path);
};

}  // namespace kst
