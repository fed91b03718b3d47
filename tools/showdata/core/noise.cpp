#include "core/noise.h"

#include <cmath>

#include "core/random.h"

namespace showdata {
namespace {

std::int64_t wrapped(std::int64_t i, int period) {
  if (period <= 0) return i;
  return ((i % period) + period) % period;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

float valueNoise(std::uint64_t seed, float x, float y, int periodX, int periodY) {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const auto ix = static_cast<std::int64_t>(fx);
  const auto iy = static_cast<std::int64_t>(fy);
  const float tx = fade(x - fx);
  const float ty = fade(y - fy);
  auto corner = [&](std::int64_t dx, std::int64_t dy) {
    return latticeHash(seed, wrapped(ix + dx, periodX), wrapped(iy + dy, periodY));
  };
  const float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
  const float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
  return top + (bottom - top) * ty;
}

float fractalNoise(std::uint64_t seed, float x, float y, int octaves, float gain, int periodX, int periodY) {
  float sum = 0.0f;
  float amplitude = 1.0f;
  float total = 0.0f;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * valueNoise(seed + static_cast<std::uint64_t>(octave) * 7919u, x, y, periodX, periodY);
    total += amplitude;
    amplitude *= gain;
    x *= 2.0f, y *= 2.0f;
    periodX *= 2, periodY *= 2;
  }
  return sum / total;
}

}  // namespace showdata
