#pragma once
#include <cstdint>
#include <optional>

namespace shell {

// Seconds between two readings of the wrapping millisecond clock.
float elapsedSeconds(std::uint32_t start, std::uint32_t now);

// The show time. Normally wall-clock seconds since the show started; with a
// fixed step (for reproducible frames and capture) frame k is at k / fps.
class ShowClock {
 public:
  explicit ShowClock(std::optional<int> fps = std::nullopt) : fps_(fps) {}
  void start();  // takes the show start time
  float now();   // one reading per frame

 private:
  std::optional<int> fps_;
  std::uint32_t start_ = 0;
  std::uint64_t frame_ = 0;
};

}  // namespace shell
