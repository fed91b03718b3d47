// The city at night: facades of window grids with a seeded share of lit
// windows (warm lamps, a few cold screens), the sky from a deep zenith down
// to the orange glow the city throws on the haze (no stars: the city's
// light hides them), and the spark's streak.
#include <algorithm>
#include <cmath>

#include "core/noise.h"
#include "core/random.h"
#include "textures/textures.h"

namespace showdata {

Raster cityFacades(std::uint64_t seed, int scale) {
  return paintPixels(512 * scale, 512 * scale, [&](float u, float v) {
    const int column = static_cast<int>(u * kWindows), row = static_cast<int>(v * kWindows);
    const float grain = fractalNoise(seed, u * 32.0f, v * 32.0f, 3, 0.5f, 32, 32);
    const Colour wall = Colour{0.10f, 0.10f, 0.13f} * (0.8f + 0.4f * grain);
    if (column == kRoofCell && row == kRoofCell) return Colour{0.05f, 0.05f, 0.06f};  // the roofs' patch
    const float s = u * kWindows - column, t = v * kWindows - row;
    const bool pane = s > 0.2f && s < 0.8f && t > 0.25f && t < 0.8f;
    if (!pane) return wall;
    Random window(seed * 977 + static_cast<std::uint64_t>(row * kWindows + column));
    const float chance = window.unit();
    Colour glass{0.05f, 0.06f, 0.09f};
    if (chance < 0.34f) glass = mix(Colour{1.0f, 0.78f, 0.42f}, Colour{1.0f, 0.9f, 0.65f}, window.unit()) * window.between(0.55f, 1.0f);
    else if (chance < 0.38f) glass = Colour{0.45f, 0.65f, 1.0f} * window.between(0.5f, 0.8f);
    // A lit room is brighter toward its middle.
    const float middle = 1.0f - 0.35f * std::hypot(s - 0.5f, t - 0.52f) * 2.0f;
    return glass * middle;
  });
}

Raster nightSkyDome(std::uint64_t seed, int scale) {
  return paintPixels(64 * scale, 512 * scale, [&](float u, float v) {
    Colour c = mix(Colour{0.01f, 0.015f, 0.06f}, Colour{0.07f, 0.05f, 0.16f}, smoothstep(0.0f, 0.8f, v));
    c = mix(c, Colour{0.30f, 0.16f, 0.16f}, smoothstep(0.82f, 1.0f, v) * 0.8f);
    const float haze = fractalNoise(seed, u * 4.0f, v * 16.0f, 4, 0.5f, 4, 0);
    return c * (0.9f + 0.2f * haze * smoothstep(0.5f, 1.0f, v));
  });
}

Raster sparkStreak(std::uint64_t, int scale) {
  return paintPixels(64 * scale, 64 * scale, [](float, float v) {
    const float across = std::fabs(v - 0.5f) * 2.0f;
    // Full light over the middle, falling off only toward the edges: the
    // streaks are a pixel or two wide.
    const float light = 1.0f - smoothstep(0.5f, 1.0f, across);
    return Colour{light, light, light};
  });
}

}  // namespace showdata
