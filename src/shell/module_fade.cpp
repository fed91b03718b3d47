#include "shell/module_fade.h"

#include "music/music.h"
#include "platform/fmod.h"
#include "platform/host.h"
#include "shell/show_clock.h"

#include <chrono>
#include <thread>

namespace shell {
namespace {

constexpr float kFadeStartVolume = 128.0f;

}  // namespace

void fadeOutModule() {
  platform::Host& host = platform::host();
  const std::uint32_t start = host.timeGetTime();
  for (float s = elapsedSeconds(start, host.timeGetTime()); s < 1.0f; s = elapsedSeconds(start, host.timeGetTime())) {
    FMUSIC_SetMasterVolume(music::state().module, static_cast<int>((1.0f - s) * kFadeStartVolume));
    // The scenes read ahead meanwhile need the processor more than the
    // volume needs a step finer than a millisecond.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace shell
