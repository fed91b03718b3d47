#include "pictures/filament.h"

#include <algorithm>
#include <cmath>

namespace showdata {

void addFilament(Raster& picture, const FilamentTrace& trace) {
  for (int y = 0; y < picture.height; ++y) {
    const float fy = y + 0.5f;
    const float light = trace.brightness(fy);
    const float centre = trace.centre(fy);
    // The slope narrows the horizontal profile of a slanted line.
    const float slope = trace.centre(fy + 0.5f) - trace.centre(fy - 0.5f);
    const float across = 1.0f / std::sqrt(1.0f + slope * slope);
    for (int x = 0; x < picture.width; ++x) {
      const float d = (x + 0.5f - centre) * across;
      const float core = std::exp(-d * d / (trace.coreWidth * trace.coreWidth));
      const float glow = std::exp(-d * d / (trace.glowWidth * trace.glowWidth));
      float& value = picture.at(x, y)[0];
      value = std::min(1.0f, value + light * (core + 0.35f * glow));
    }
  }
}

}  // namespace showdata
