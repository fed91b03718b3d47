// The hall's building materials: glazed floor tiles with eight-pointed
// stars, sandstone courses, lit window glass behind a lattice, the arches'
// red and cream voussoirs and the columns' veined marble. Patterns are
// distance functions in the tile's own units; grain and stains are fractal
// noise with the picture's period, so every one of them tiles.
#include <cmath>

#include "core/noise.h"
#include "core/random.h"
#include "textures/textures.h"

namespace showdata {
namespace {

float fract(float x) { return x - std::floor(x); }

}  // namespace

Raster zelligeTiles(std::uint64_t seed, int scale) {
  constexpr float kTiles = 4.0f;
  const Colour cream{0.86f, 0.80f, 0.67f}, teal{0.08f, 0.42f, 0.48f}, white{0.93f, 0.91f, 0.84f};
  const Colour terracotta{0.62f, 0.27f, 0.15f}, grout{0.30f, 0.25f, 0.20f}, cobalt{0.12f, 0.20f, 0.50f};
  const float soft = 1.5f / (128.0f * static_cast<float>(scale));  // a pixel and a half of the tile's 128 * scale
  return paintPixels(512 * scale, 512 * scale, [&](float u, float v) {
    const float s = fract(u * kTiles) - 0.5f, t = fract(v * kTiles) - 0.5f;
    Colour c = cream;
    const float star = starDistance(s, t, 0.3f);
    c = mix(c, teal, edgeCoverage(star, soft));
    c = mix(c, white, edgeCoverage(starDistance(s, t, 0.16f), soft));
    c = mix(c, terracotta, edgeCoverage(std::hypot(s, t) - 0.06f, soft));
    // Diamonds where four tiles meet, and a cobalt line round the star.
    const float cs = 0.5f - std::fabs(s), ct = 0.5f - std::fabs(t);
    c = mix(c, terracotta, edgeCoverage(cs + ct - 0.16f, soft));
    c = mix(c, cobalt, edgeCoverage(std::fabs(star + 0.025f) - 0.008f, soft));
    c = mix(c, grout, edgeCoverage(std::min(cs, ct) - 0.008f, soft));
    const float grain = fractalNoise(seed, u * 16.0f, v * 16.0f, 4, 0.5f, 16, 16);
    const float wear = fractalNoise(seed + 1, u * 4.0f, v * 4.0f, 3, 0.5f, 4, 4);
    return c * (0.86f + 0.18f * grain) * (0.92f + 0.1f * wear);
  });
}

Raster sandstoneBlocks(std::uint64_t seed, int scale) {
  // Four courses of two blocks each, every other course shifted half a block.
  const Colour mortar{0.70f, 0.64f, 0.55f};
  return paintPixels(256 * scale, 256 * scale, [&](float u, float v) {
    const float course = v * 4.0f;
    const int row = static_cast<int>(std::floor(course));
    const float shifted = u * 2.0f + (row % 2 == 0 ? 0.0f : 0.5f);
    const int block = static_cast<int>(std::floor(shifted)) % 2;
    const float bu = fract(shifted), bv = fract(course);
    Random tone(seed * 131 + static_cast<std::uint64_t>(row * 2 + block));
    const Colour stone = mix(Colour{0.78f, 0.66f, 0.50f}, Colour{0.86f, 0.76f, 0.60f}, tone.unit());
    const float joint = std::min(std::min(bu, 1.0f - bu) * 2.0f, std::min(bv, 1.0f - bv));
    const float grain = fractalNoise(seed, u * 32.0f, v * 32.0f, 4, 0.55f, 32, 32);
    const float stain = fractalNoise(seed + 5, u * 3.0f, v * 3.0f, 3, 0.5f, 3, 3);
    const Colour face = stone * (0.84f + 0.22f * grain) * (0.9f + 0.14f * stain);
    return mix(mortar, face, smoothstep(0.012f, 0.03f, joint));
  });
}

Raster windowLattice(std::uint64_t seed, int scale) {
  // The lattice: a grid of small stars in wood, open where the glass glows.
  const Colour wood{0.22f, 0.13f, 0.07f};
  return paintPixels(128 * scale, 256 * scale, [&](float u, float v) {
    const Colour glass = mix(Colour{1.0f, 0.97f, 0.86f}, Colour{1.0f, 0.82f, 0.55f}, v);
    const float cells = 5.0f;
    const float s = fract(u * cells) - 0.5f, t = fract(v * cells * 2.0f) - 0.5f;
    const float bars = std::min(std::fabs(starDistance(s, t, 0.28f)), std::min(0.5f - std::fabs(s), 0.5f - std::fabs(t)));
    const float frame = std::min(std::min(u, 1.0f - u), 1.0f - v) * 128.0f;
    const float flicker = 0.9f + 0.1f * fractalNoise(seed, u * 6.0f, v * 12.0f, 3);
    const float lattice =
        std::max(edgeCoverage(bars - 0.022f, 0.02f), edgeCoverage(frame - 3.0f, 1.5f / static_cast<float>(scale)));
    return mix(glass * flicker, wood, lattice);
  });
}

Raster voussoirStripes(std::uint64_t seed, int scale) {
  const Colour red{0.60f, 0.20f, 0.12f}, cream{0.90f, 0.83f, 0.68f}, joint{0.35f, 0.28f, 0.22f};
  return paintPixels(128 * scale, 64 * scale, [&](float u, float v) {
    const Colour block = u < 0.5f ? red : cream;
    const float edge = std::min(std::fabs(u - 0.5f), std::min(u, 1.0f - u)) * 128.0f;
    const float grain = fractalNoise(seed, u * 8.0f, v * 4.0f, 4, 0.55f, 8, 4);
    return mix(joint, block * (0.85f + 0.2f * grain), smoothstep(1.0f, 1.0f + 1.5f / static_cast<float>(scale), edge));
  });
}

Raster veinedMarble(std::uint64_t seed, int scale) {
  return paintPixels(128 * scale, 256 * scale, [&](float u, float v) {
    const float warp = fractalNoise(seed, u * 2.0f, v * 4.0f, 5, 0.55f, 2, 4);
    const float vein = std::fabs(std::sin((u * 2.0f + v * 3.0f + warp * 3.0f) * 3.14159265f * 2.0f));
    const float line = std::pow(1.0f - vein, 8.0f);
    const Colour base = mix(Colour{0.86f, 0.84f, 0.78f}, Colour{0.74f, 0.74f, 0.70f}, warp);
    return mix(base, Colour{0.42f, 0.45f, 0.44f}, line * 0.7f);
  });
}

}  // namespace showdata
