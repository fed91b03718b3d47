#pragma once
// Runs a test in a fresh folder of its own, as the program runs in the
// folder that holds the show's data: the working directory changes for the
// life of the object and is put back after.
#include <filesystem>

#include "support/sound_files.h"

namespace fake {

class ShowFolder {
 public:
  // With `withDataFolder`, an empty demo folder is made in it.
  explicit ShowFolder(bool withDataFolder = true) : previous_(std::filesystem::current_path()) {
    if (withDataFolder) std::filesystem::create_directory(folder_ / "demo");
    std::filesystem::current_path(folder_.path());
  }
  ~ShowFolder() { std::filesystem::current_path(previous_); }
  ShowFolder(const ShowFolder&) = delete;
  ShowFolder& operator=(const ShowFolder&) = delete;

  std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

 private:
  TempFolder folder_;
  std::filesystem::path previous_;
};

}  // namespace fake
