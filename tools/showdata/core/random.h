#pragma once
// A small seeded generator (SplitMix64) for the data generators: the same
// seed gives the same sequence on every machine, whatever the standard
// library, so the data files come out byte for byte the same.
#include <cstdint>

namespace showdata {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }
  float between(float low, float high) { return low + (high - low) * unit(); }
  // Uniform in [0, count).
  int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

 private:
  std::uint64_t state_;
};

// A well-mixed value of a seed and two lattice coordinates, in [0, 1).
inline float latticeHash(std::uint64_t seed, std::int64_t x, std::int64_t y) {
  Random mix(seed ^ (static_cast<std::uint64_t>(x) * 0xD1B54A32D192ED03ull) ^ (static_cast<std::uint64_t>(y) * 0xABC98388FB8FAC03ull));
  return mix.unit();
}

}  // namespace showdata
