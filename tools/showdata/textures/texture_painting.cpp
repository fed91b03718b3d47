#include <algorithm>
#include <cmath>

#include "textures/textures.h"

namespace showdata {

Raster paintPixels(int width, int height, const std::function<Colour(float u, float v)>& colourAt) {
  Raster picture(width, height, 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Colour sum;
      for (int sy = 0; sy < 2; ++sy)
        for (int sx = 0; sx < 2; ++sx)
          sum = sum + colourAt((x + 0.25f + 0.5f * sx) / width, (y + 0.25f + 0.5f * sy) / height);
      picture.set(x, y, sum * 0.25f);
    }
  return picture;
}

float starDistance(float x, float y, float radius) {
  const float square = std::max(std::fabs(x), std::fabs(y));
  const float turned = std::max(std::fabs(x + y), std::fabs(x - y)) * 0.70710678f;
  return std::min(square, turned) - radius;
}

float edgeCoverage(float distance, float softness) { return clamp01(0.5f - distance / softness); }

}  // namespace showdata
