#pragma once
// A 2x2 height field with one peak, and its normal map worked out by hand:
// slopes of 2 toward the peak's right and lower neighbours (which wrap
// back onto the peak's row and column).
#include <array>
#include <memory>

#include "scene/image.h"

namespace scenetest {

inline std::unique_ptr<Image8> PeakHeights() {
  auto heights = std::make_unique<Image8>();
  heights->setSize(2, 2);
  heights->pixels[0] = 255;  // top left; the others are 0
  return heights;
}

// Blue, green, red, alpha of each texel, by row.
// (0,0): dx = dy = 2, k = 1/3; (1,0): dx = -2, k = 1/sqrt 5; (0,1): dy = -2; (1,1): flat.
inline constexpr std::array<int, 4> kPeakNormals[2][2] = {{{170, 43, 212, 255}, {184, 241, 128, 255}},
                                                          {{184, 128, 14, 255}, {255, 128, 128, 255}}};

// Sum of the decoded four (2.2441, 0.2520, -0.2047), length 2.2675.
inline constexpr std::array<int, 4> kPeakFirstMip = {253, 142, 116, 144};

}  // namespace scenetest
