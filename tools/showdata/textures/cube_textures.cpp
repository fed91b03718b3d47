// The cubes' face: near white, so that the vertex colours give the hue; a
// rim that rounds off toward the edges, lit from one corner, and a fine
// groove inset from it, so that each face reads as a bevelled tile.
#include <algorithm>
#include <cmath>

#include "core/noise.h"
#include "textures/textures.h"

namespace showdata {

Raster bevelledPanel(std::uint64_t seed, int scale) {
  return paintPixels(128 * scale, 128 * scale, [&](float u, float v) {
    const float s = u - 0.5f, t = v - 0.5f;
    const float edge = 0.5f - std::max(std::fabs(s), std::fabs(t));  // 0 at the border
    float shade = 0.92f;
    // The rim: lit where it faces up-left, shaded where it faces down-right.
    const float rim = 1.0f - smoothstep(0.0f, 0.09f, edge);
    const bool litSide = std::fabs(s) > std::fabs(t) ? s < 0.0f : t < 0.0f;
    shade += rim * (litSide ? 0.08f : -0.35f);
    const float groove = std::fabs(edge - 0.13f);
    shade -= 0.22f * (1.0f - smoothstep(0.004f, 0.012f, groove));
    const float grain = fractalNoise(seed, u * 8.0f, v * 8.0f, 3, 0.5f, 8, 8);
    shade *= 0.95f + 0.08f * grain;
    return Colour{shade, shade, shade};
  });
}

}  // namespace showdata
