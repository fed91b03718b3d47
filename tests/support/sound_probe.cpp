#include "support/sound_probe.h"

#include <cmath>

#include "platform/fmod.h"
#include "platform/sound_seam.h"

namespace fake {

bool startSoundWithoutDevice() {
  FSOUND_SetOutput(platform::sound::kOutputNoDevice);
  return FSOUND_Init(44100, 32, 0) != 0;
}

std::vector<float> renderFrames(std::size_t frames) {
  std::vector<float> mix(frames * 2);
  platform::sound::renderMix(mix);
  return mix;
}

float peak(std::span<const float> samples, std::size_t first, std::size_t stride) {
  float largest = 0.0f;
  for (std::size_t i = first; i < samples.size(); i += stride) largest = std::max(largest, std::fabs(samples[i]));
  return largest;
}

}  // namespace fake
