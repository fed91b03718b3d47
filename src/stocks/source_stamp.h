#pragma once
// What a data file was when a stock read it: its modification time and
// size. A file whose stamp differs now has changed since (or gone).
#include <cstdint>
#include <filesystem>
#include <string>

namespace kst {

struct SourceStamp {
  std::string file;  // as the show names it (demo\backs\1.jpg)
  bool present = false;
  std::filesystem::file_time_type written{};
  std::uintmax_t size = 0;

  // The file as it is now; a file that cannot be seen is not present.
  static SourceStamp of(const std::string& file);
  bool changed() const { return of(file) != *this; }
  bool operator==(const SourceStamp&) const = default;
};

}  // namespace kst
