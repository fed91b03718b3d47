#pragma once
#include <optional>
#include <string>
#include <vector>

namespace shell {

struct Screenshot {
  float seconds = 0.0f;
  std::string file;
};

// What a person or a test asked for on the command line. Left at their
// defaults, the program behaves as the show always has.
struct ShowOptions {
  std::optional<bool> preloadEverything;  // the start-up question answered in advance
  bool windowed = false;
  bool headless = false;
  std::optional<float> until;  // end normally once the show time reaches it
  std::optional<int> fps;      // fixed-step clock: frame k is shown at k / fps
  std::vector<Screenshot> screenshots;
  bool listEvents = false;  // build the show, print its timeline, play nothing
};

}  // namespace shell
