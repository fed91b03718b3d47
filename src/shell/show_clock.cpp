#include "shell/show_clock.h"

#include "platform/host.h"

namespace shell {

float elapsedSeconds(std::uint32_t start, std::uint32_t now) {
  const std::uint32_t milliseconds = now >= start ? now - start : (0xFFFFFFFFu - start) + now;
  return static_cast<float>(static_cast<double>(milliseconds) * static_cast<double>(0.001f));
}

void ShowClock::start() {
  start_ = platform::host().timeGetTime();
  frame_ = 0;
}

float ShowClock::now() {
  if (fps_) return static_cast<float>(showStart_ + static_cast<double>(frame_++) / *fps_);
  return showStart_ + elapsedSeconds(start_, platform::host().timeGetTime());
}

}  // namespace shell
