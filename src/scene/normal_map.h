#pragma once
// Height fields turned into normal maps for per-pixel lighting, and the
// smaller levels of a normal map. Texels are 4 bytes, in memory order blue,
// green, red, alpha; blue carries the normal's z.
#include <cstdint>
#include <vector>

#include "scene/image.h"

struct NormalMapLevel {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> texels;  // width * height * 4 bytes, rows top to bottom
};

// Slopes taken toward the right and lower neighbours, wrapping at the edges.
NormalMapLevel BuildNormalMap(const Image8& heights);

// The next level: each side above 1 halved; every texel the alpha-weighted
// mean direction of a 2x2 block, its alpha telling how much the block agrees.
NormalMapLevel HalveNormalMap(const NormalMapLevel& level);
