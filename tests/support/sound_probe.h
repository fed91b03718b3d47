#pragma once
// Reading the sound layer's mix in tests: the library runs without a device
// and the test pulls the samples.
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace fake {

// FSOUND_Init at 44100 Hz without a device; true on success.
bool startSoundWithoutDevice();

// The next `frames` stereo frames of the mix.
std::vector<float> renderFrames(std::size_t frames);

// The largest magnitude among the samples; every `stride`-th from `first`.
float peak(std::span<const float> samples, std::size_t first = 0, std::size_t stride = 1);

// The correlation of a[aFrom + i] with b[bFrom + i] over `count` samples;
// 0 when either range is silent or runs past its end.
double correlation(std::span<const float> a, std::size_t aFrom, std::span<const float> b, std::size_t bFrom,
                   std::size_t count);

// The first `seconds` of what `start` sets playing (a stream, a module),
// heard alone and mixed offline as a capture mixes it.
std::vector<float> mixedAlone(const std::function<void()>& start, double seconds);

}  // namespace fake
