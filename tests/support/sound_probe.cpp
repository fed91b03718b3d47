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

double correlation(std::span<const float> a, std::size_t aFrom, std::span<const float> b, std::size_t bFrom,
                   std::size_t count) {
  if (aFrom + count > a.size() || bFrom + count > b.size()) return 0.0;
  double ab = 0.0, aa = 0.0, bb = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    ab += double{a[aFrom + i]} * b[bFrom + i];
    aa += double{a[aFrom + i]} * a[aFrom + i];
    bb += double{b[bFrom + i]} * b[bFrom + i];
  }
  return aa > 0.0 && bb > 0.0 ? ab / std::sqrt(aa * bb) : 0.0;
}

std::vector<float> mixedAlone(const std::function<void()>& start, double seconds) {
  platform::sound::renderOffline(true);
  startSoundWithoutDevice();
  start();
  platform::sound::mixUntil(seconds);
  FSOUND_Close();
  std::vector<float> heard = platform::sound::takeMixed();
  platform::sound::renderOffline(false);
  return heard;
}

}  // namespace fake
