#include "shell/show_clock.h"

#include <cmath>

#include "platform/host.h"

namespace shell {

float elapsedSeconds(std::uint32_t start, std::uint32_t now) {
  const std::uint32_t milliseconds = now >= start ? now - start : (0xFFFFFFFFu - start) + now;
  return static_cast<float>(static_cast<double>(milliseconds) * static_cast<double>(0.001f));
}

ShowClock::ShowClock(std::optional<int> fps, double showStart)
    : fps_(fps), showStart_(showStart), startFrame_(fps ? showStart * *fps : 0.0) {}

void ShowClock::start() {
  start_ = platform::host().timeGetTime();
  frame_ = 0;
}

float ShowClock::now() {
  if (fps_) return frameTime(frame_++);
  return static_cast<float>(showStart_ + elapsedSeconds(start_, platform::host().timeGetTime()));
}

float ShowClock::startTime() const { return fps_ ? frameTime(0) : static_cast<float>(showStart_); }

// The same expression as a run from 0, whose frame k is float(k / fps): a
// start typed in decimals lands a hair off its frame (192.1 x 10 is
// 1921.0000000000002), far below what the rounding to float keeps.
float ShowClock::frameTime(std::uint64_t frame) const { return static_cast<float>(frameStart(frame)); }

double ShowClock::frameStart(std::uint64_t frame) const { return (startFrame_ + static_cast<double>(frame)) / *fps_; }

// Frame times rise with the frame, so the count is found from the nearest
// whole number of steps and settled by the times themselves.
std::uint64_t ShowClock::framesBefore(float until) const {
  const double steps = std::ceil(static_cast<double>(until) * *fps_ - startFrame_);
  std::uint64_t frames = steps > 0.0 ? static_cast<std::uint64_t>(steps) : 0;
  while (frames > 0 && frameTime(frames - 1) >= until) --frames;
  while (frameTime(frames) < until) ++frames;
  return frames;
}

}  // namespace shell
