#include "shell/show_clock.h"

#include <cmath>

#include "platform/host.h"

namespace shell {
namespace {

// Every frame time of a fixed step: frames counted in double, divided once,
// rounded to float once. A start typed in decimals lands a hair off its
// frame (0.1 x 3 is 0.30000000000000004), far below what the rounding to
// float keeps.
float timeOfFrames(double frames, int fps) { return static_cast<float>(frames / fps); }

}  // namespace

float elapsedSeconds(std::uint32_t start, std::uint32_t now) {
  const std::uint32_t milliseconds = now >= start ? now - start : (0xFFFFFFFFu - start) + now;
  return static_cast<float>(static_cast<double>(milliseconds) * static_cast<double>(0.001f));
}

ShowClock::ShowClock(std::optional<int> fps, double showStart)
    : fps_(fps), showStart_(showStart), startFrame_(fps ? showStart * *fps : 0.0) {
  last_ = startTime();
}

void ShowClock::start() { start_ = platform::host().timeGetTime(); }

float ShowClock::now() {
  if (paused_) return last_;
  last_ = fps_ ? frameTime(frame_++)
               : static_cast<float>(showStart_ + elapsedSeconds(start_, platform::host().timeGetTime()));
  return last_;
}

void ShowClock::seek(double moment) {
  showStart_ = moment;
  if (fps_) {
    startFrame_ = static_cast<double>(firstGridFrame(moment, *fps_));
    showStart_ = startFrame_ / *fps_;
  }
  frame_ = 0;
  if (!paused_) return;
  last_ = startTime();
  frame_ = 1;  // shown while paused: the next frame is the one after it
}

void ShowClock::pause(bool paused) {
  if (paused_ && !paused && !fps_) {
    showStart_ = last_;
    start();
  }
  paused_ = paused;
}

float ShowClock::startTime() const { return fps_ ? frameTime(0) : static_cast<float>(showStart_); }

float ShowClock::gridTime(std::int64_t frame, int fps) { return timeOfFrames(static_cast<double>(frame), fps); }

std::int64_t ShowClock::firstGridFrame(double moment, int fps) {
  return static_cast<std::int64_t>(std::ceil(moment * fps - 1e-6));
}

float ShowClock::frameTime(std::uint64_t frame) const { return timeOfFrames(startFrame_ + static_cast<double>(frame), *fps_); }

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
