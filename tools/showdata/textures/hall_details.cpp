// The hall's ornament: the dome's mosaic between gold ribs, the painted
// coffers of the wooden ceiling, the prayer niche and the studded door.
// Shapes on the dome are measured in metres on the dome itself, so that
// stars stay round where the rib's sector narrows toward the oculus.
#include <cmath>

#include "core/noise.h"
#include "textures/textures.h"

namespace showdata {
namespace {

constexpr float kPi = 3.14159265f;
const Colour kGold{0.86f, 0.66f, 0.28f};

float fract(float x) { return x - std::floor(x); }

}  // namespace

Raster domeMosaic(std::uint64_t seed, int scale) {
  // The sector spans 1/16 of a circle of 6 m; v climbs 8.4 m of arc.
  constexpr float kArc = 8.42f, kBaseWidth = 2.0f * kPi * 6.0f / 16.0f;
  const float kSpan = 0.5f * kPi - std::asin(1.0f / 6.0f);
  return paintPixels(256 * scale, 512 * scale, [&](float u, float v) {
    const float width = kBaseWidth * std::cos(v * kSpan);
    const float x = (u - 0.5f) * width;  // metres across the sector
    const float y = v * kArc;            // metres up the dome
    Colour c = mix(Colour{0.07f, 0.12f, 0.34f}, Colour{0.30f, 0.45f, 0.72f}, v * v);
    const float lattice = std::fabs(starDistance(fract(x / 0.6f + 0.5f) - 0.5f, fract(y / 0.6f) - 0.5f, 0.3f));
    c = mix(c, kGold * 0.7f, edgeCoverage(lattice - 0.02f, 0.02f) * (1.0f - v) * 0.8f);
    for (float centre : {2.2f, 4.6f, 6.6f}) {
      const float size = 0.55f * std::cos(centre / kArc * kSpan) + 0.12f;
      const float star = starDistance(x, y - centre, size);
      c = mix(c, kGold, edgeCoverage(star, 0.03f));
      c = mix(c, Colour{0.55f, 0.12f, 0.10f}, edgeCoverage(starDistance(x, y - centre, size * 0.5f), 0.03f));
    }
    const float rib = 0.5f * width - std::fabs(x);
    c = mix(c, kGold, edgeCoverage(rib - 0.09f, 0.02f));
    c = mix(c, kGold, edgeCoverage(std::min(y, kArc - y) - 0.35f, 0.03f));
    const float sparkle = fractalNoise(seed, u * 32.0f, v * 64.0f, 2, 0.5f, 32, 64);
    return c * (0.88f + 0.2f * sparkle);
  });
}

Raster woodCoffers(std::uint64_t seed, int scale) {
  const Colour beam{0.30f, 0.17f, 0.08f}, panel{0.42f, 0.13f, 0.08f};
  return paintPixels(256 * scale, 256 * scale, [&](float u, float v) {
    const float s = fract(u * 2.0f) - 0.5f, t = fract(v * 2.0f) - 0.5f;
    const float inset = 0.5f - std::max(std::fabs(s), std::fabs(t));
    const float grain = fractalNoise(seed, u * 4.0f, v * 48.0f, 4, 0.5f, 4, 48);
    Colour c = beam * (0.8f + 0.35f * grain);
    // The coffer's sloped sides catch the light on one side.
    const float slope = smoothstep(0.08f, 0.16f, inset);
    const Colour side = beam * (s + t > 0.0f ? 1.25f : 0.7f);
    c = mix(c, side, smoothstep(0.06f, 0.08f, inset));
    c = mix(c, panel * (0.85f + 0.2f * grain), slope);
    c = mix(c, kGold, edgeCoverage(starDistance(s, t, 0.16f), 0.01f) * slope);
    c = mix(c, panel, edgeCoverage(starDistance(s, t, 0.08f), 0.01f));
    return c;
  });
}

Raster nicheMosaic(std::uint64_t seed, int scale) {
  // u across 2.6 m, v down 4.7 m from the top of the head.
  constexpr float kWidth = 2.6f, kHeight = 4.7f, kRadius = 1.3f;
  return paintPixels(256 * scale, 512 * scale, [&](float u, float v) {
    const float x = (u - 0.5f) * kWidth, y = (1.0f - v) * kHeight;  // y up from the floor
    const float head = kHeight - kRadius;
    // Distance inward from the niche's outline (sides, then the round head).
    const float inside = y > head ? kRadius - std::hypot(x, y - head) : 0.5f * kWidth - std::fabs(x);
    Colour c = mix(Colour{0.04f, 0.22f, 0.26f}, Colour{0.10f, 0.36f, 0.40f}, y / kHeight);
    const float diamonds = std::fabs(fract(x / 0.35f + y / 0.35f) - 0.5f) + std::fabs(fract(x / 0.35f - y / 0.35f) - 0.5f);
    c = mix(c, kGold * 0.8f, edgeCoverage(std::fabs(diamonds - 0.5f) - 0.04f, 0.03f));
    for (float band : {0.12f, 0.3f}) c = mix(c, kGold, edgeCoverage(std::fabs(inside - band) - 0.04f, 0.02f));
    // A hanging lamp: its chain and a glowing bowl.
    const float lampY = head - 0.4f;
    c = mix(c, kGold, edgeCoverage(std::fabs(x) - 0.012f, 0.01f) * (y > lampY ? 1.0f : 0.0f) * (inside > 0.3f ? 1.0f : 0.0f));
    const float bowl = std::hypot(x, (y - lampY) * 1.6f);
    c = c + Colour{1.0f, 0.75f, 0.35f} * std::exp(-bowl * bowl * 18.0f);
    c = mix(c, kGold, edgeCoverage(bowl - 0.18f, 0.02f) * (y < lampY ? 1.0f : 0.0f));
    // A marble dado below.
    const float grain = fractalNoise(seed, u * 8.0f, v * 16.0f, 4);
    c = mix(c, Colour{0.82f, 0.80f, 0.74f} * (0.9f + 0.15f * grain), smoothstep(0.02f, 0.0f, y - 1.0f));
    return c * (0.92f + 0.12f * grain);
  });
}

Raster studdedDoor(std::uint64_t seed, int scale) {
  const Colour wood{0.32f, 0.19f, 0.09f}, brass{0.78f, 0.62f, 0.30f};
  return paintPixels(128 * scale, 256 * scale, [&](float u, float v) {
    const float plank = fract(u * 6.0f);
    const float grain = fractalNoise(seed + static_cast<std::uint64_t>(u * 6.0f), u * 12.0f, v * 40.0f, 4);
    Colour c = wood * (0.75f + 0.4f * grain) * (0.75f + 0.25f * smoothstep(0.0f, 0.08f, std::min(plank, 1.0f - plank)));
    const float sx = fract(u * 5.0f) - 0.5f, sy = fract(v * 9.0f) - 0.5f;
    const float stud = std::hypot(sx, sy * 9.0f / 5.0f * 128.0f / 256.0f);
    c = mix(c, brass * (1.2f - stud * 3.0f), edgeCoverage(stud - 0.1f, 0.04f));
    const float middle = std::fabs(u - 0.5f);
    return mix(c, wood * 0.4f, edgeCoverage(middle - 0.006f, 0.006f));
  });
}

}  // namespace showdata
