#pragma once
// Frames a second over the last half second or so, for notes on screen:
// told each frame's wall-clock milliseconds, it answers the rate.
#include <cstdint>

namespace shell {

class FrameRate {
 public:
  explicit FrameRate(std::uint32_t now) : start_(now) {}
  // The rate as last measured: a new measure once half a second has passed.
  float onFrame(std::uint32_t now) {
    ++frames_;
    if (now - start_ >= 500) {
      rate_ = static_cast<float>(frames_) * 1000.0f / static_cast<float>(now - start_);
      start_ = now;
      frames_ = 0;
    }
    return rate_;
  }

 private:
  std::uint32_t start_;
  int frames_ = 0;
  float rate_ = 0.0f;
};

}  // namespace shell
