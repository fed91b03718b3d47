#pragma once
// Reading the sound layer's mix in tests: the library runs without a device
// and the test pulls the samples.
#include <cstddef>
#include <span>
#include <vector>

namespace fake {

// FSOUND_Init at 44100 Hz without a device; true on success.
bool startSoundWithoutDevice();

// The next `frames` stereo frames of the mix.
std::vector<float> renderFrames(std::size_t frames);

// The largest magnitude among the samples; every `stride`-th from `first`.
float peak(std::span<const float> samples, std::size_t first = 0, std::size_t stride = 1);

}  // namespace fake
