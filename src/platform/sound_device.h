#pragma once
// The one audio device: stereo floats at the mix rate, fed by the mixer on
// SDL's audio thread.
#include <cstdint>

#include "platform/sound_mixer.h"

namespace platform::sound {

class Device {
 public:
  // Throws Failure{FMOD_ERR_INIT} when no device can be opened.
  Device(Mixer& mixer, int mixRate);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

 private:
  static void pull(void* mixer, std::uint8_t* stream, int bytes);
  std::uint32_t id_ = 0;
};

}  // namespace platform::sound
