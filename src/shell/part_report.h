#pragma once
// What a part of a capture cut into parts tells the job runner that started
// it, one line at a time on standard output, and how the follower of all
// the parts reads those lines back:
//   skyward part 3 of 10: 120 of 1225 frames
//   skyward part 3 of 10: captured
//   skyward part 3 of 10: failed: REASON
#include <cstdint>
#include <optional>
#include <string>

namespace shell {

struct PartReport {
  enum class Kind { Progress, Captured, Failed };
  int part = 0;
  int count = 0;
  Kind kind = Kind::Progress;
  std::int64_t frames = 0;  // progress: written so far, of total
  std::int64_t total = 0;
  std::string reason;  // failed

  // The line, without its end.
  std::string line() const;
  // A line that is no part's report (the show's own output) gives nothing.
  static std::optional<PartReport> read(const std::string& line);
};

}  // namespace shell
