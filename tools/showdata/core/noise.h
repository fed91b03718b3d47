#pragma once
// Value noise: random values on an integer lattice, smoothly interpolated;
// and fractal noise, octaves of it at doubling frequency and falling
// amplitude. A period other than 0 makes the lattice wrap, so the noise
// tiles with that period (in lattice cells of the first octave).
#include <cstdint>

namespace showdata {

// In [0, 1).
float valueNoise(std::uint64_t seed, float x, float y, int periodX = 0, int periodY = 0);

// Normalised to [0, 1); `gain` is the amplitude ratio between octaves.
float fractalNoise(std::uint64_t seed, float x, float y, int octaves, float gain = 0.5f, int periodX = 0, int periodY = 0);

}  // namespace showdata
