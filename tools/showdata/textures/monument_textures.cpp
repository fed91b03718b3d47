// The closing monument's pictures: brushed metal for the emblem, the
// orbiting rings' lit bands, their transparent halo (its vertices fade it
// toward its edges), and a panorama of a
// dim nebula for the sky round everything (it wraps in u).
#include <cmath>

#include "core/noise.h"
#include "textures/textures.h"

namespace showdata {

Raster brushedMetal(std::uint64_t seed, int scale) {
  return paintPixels(256 * scale, 256 * scale, [&](float u, float v) {
    const float streaks = fractalNoise(seed, u * 2.0f, v * 128.0f, 3, 0.6f, 2, 128);
    const float sheen = 0.5f + 0.5f * std::sin(6.2831853f * (u + 0.15f * fractalNoise(seed + 1, u * 2.0f, v * 2.0f, 2, 0.5f, 2, 2)));
    const float light = 0.72f + 0.16f * streaks + 0.12f * sheen;
    return Colour{light, light, light * 1.02f};
  });
}

Raster ringBands(std::uint64_t seed, int scale) {
  return paintPixels(256 * scale, 32 * scale, [&](float u, float v) {
    const float band = 0.5f + 0.5f * std::sin(6.2831853f * u * 12.0f);
    const float edge = std::fabs(v - 0.5f) * 2.0f;
    Colour c = mix(Colour{0.55f, 0.42f, 0.22f}, Colour{1.0f, 0.86f, 0.5f}, band);
    c = c * (1.0f - 0.45f * edge * edge);
    const float grain = fractalNoise(seed, u * 32.0f, v * 4.0f, 3, 0.5f, 32, 4);
    return c * (0.9f + 0.15f * grain);
  });
}

Raster haloGlow(std::uint64_t seed, int scale) {
  return paintPixels(256 * scale, 32 * scale, [&](float u, float v) {
    const float across = std::fabs(v - 0.5f) * 2.0f;
    const float shimmer = 0.75f + 0.25f * fractalNoise(seed, u * 16.0f, 0.0f, 3, 0.5f, 16, 0);
    const float light = (1.0f - 0.5f * across * across) * shimmer;
    return Colour{0.35f, 0.7f, 1.0f} * light;
  });
}

Raster nebulaPanorama(std::uint64_t seed, int scale) {
  return paintPixels(512 * scale, 256 * scale, [&](float u, float v) {
    const float band = std::exp(-std::pow((v - 0.55f + 0.12f * std::sin(6.2831853f * u)) / 0.16f, 2.0f));
    const float cloud = fractalNoise(seed, u * 8.0f, v * 4.0f, 6, 0.55f, 8, 0);
    const float hue = fractalNoise(seed + 7, u * 3.0f, v * 2.0f, 3, 0.5f, 3, 0);
    Colour c = mix(Colour{0.01f, 0.012f, 0.035f}, Colour{0.03f, 0.025f, 0.07f}, v);
    c = c + mix(Colour{0.35f, 0.12f, 0.45f}, Colour{0.08f, 0.3f, 0.45f}, hue) * (band * smoothstep(0.35f, 0.8f, cloud) * 0.8f);
    return c;
  });
}

}  // namespace showdata
