#pragma once
#include <cstdint>
#include <optional>

namespace shell {

// Seconds between two readings of the wrapping millisecond clock.
float elapsedSeconds(std::uint32_t start, std::uint32_t now);

// The show time. Normally wall-clock seconds since the show started; with a
// fixed step (for reproducible frames and capture) frame k is at k / fps.
// A show that starts later than its beginning counts from `showStart`.
class ShowClock {
 public:
  explicit ShowClock(std::optional<int> fps = std::nullopt, float showStart = 0.0f) : fps_(fps), showStart_(showStart) {}
  void start();  // takes the show start time
  float now();   // one reading per frame
  float showStart() const { return showStart_; }

 private:
  std::optional<int> fps_;
  float showStart_;
  std::uint32_t start_ = 0;
  std::uint64_t frame_ = 0;
};

}  // namespace shell
