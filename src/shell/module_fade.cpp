#include "shell/module_fade.h"

#include <chrono>
#include <thread>

#include "base/stop_request.h"
#include "music/music.h"
#include "platform/host.h"
#include "shell/show_clock.h"

namespace shell {

void fadeOutModule() {
  platform::Host& host = platform::host();
  const std::uint32_t start = host.timeGetTime();
  for (float s = elapsedSeconds(start, host.timeGetTime()); s < 1.0f; s = elapsedSeconds(start, host.timeGetTime())) {
    kst::stopPoint();
    music::setFadeVolume(s);
    // The scenes read ahead meanwhile need the processor more than the
    // volume needs a step finer than a millisecond.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace shell
