#pragma once
// The development mode's --watch: a change of a file under the show's data
// folder, told once the files have been quiet for 0.3 s (they are often
// written in several steps). Main thread.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/folder_watch.h"

namespace shell {

class DataWatch {
 public:
  // When inotify refuses, a warning in the log says why and nothing is told.
  // `quietMilliseconds`: how long the files must have been quiet.
  explicit DataWatch(const std::string& folder, std::uint32_t quietMilliseconds = 300);

  // True, once a change has been seen, from the first call the quiet time
  // after the last one; until the next reading again.
  bool settled();
  // The show was read again: what changed so far is in.
  void readIn() { changedAt_.reset(); }

 private:
  platform::FolderWatch watch_;
  std::uint32_t quietMilliseconds_;
  std::optional<std::uint32_t> changedAt_;  // wall time of the last change seen, until read
};

}  // namespace shell
