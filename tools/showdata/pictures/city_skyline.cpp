// City skyline mask: blocks of seeded widths and heights laid side by side,
// taller towards a few seeded centres, some with set-back tops, spires or
// antennas; filled by scanlines, so edges are anti-aliased. Buildings are
// opaque (1), the sky exactly transparent (0). The city is laid out in
// layout pixels and drawn at the picture's scale.
#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "core/shapes.h"
#include "pictures/pictures.h"

namespace showdata {

Raster citySkyline(const SkylineSettings& settings) {
  const float width = static_cast<float>(settings.width), height = static_cast<float>(settings.height);
  const float s = static_cast<float>(settings.scale);
  Raster mask(settings.width * settings.scale, settings.height * settings.scale, 1);
  Random random(settings.seed);
  const float downtown = random.between(0.2f, 0.45f) * width;
  float x = -4.0f;
  while (x < width) {
    const float w = random.between(14.0f, 42.0f);
    const float centre = x + w * 0.5f;
    const float closeness = std::exp(-std::pow((centre - downtown) / (width * 0.28f), 2.0f));
    const float h = height * settings.tallest * (0.22f + 0.78f * closeness) * random.between(0.55f, 1.0f);
    const float top = height - h;
    fillPolygon(mask, scaled({{x, height}, {x, top}, {x + w, top}, {x + w, height}}, s));
    const int crown = random.below(5);
    if (crown == 0) {  // set-back storey
      fillPolygon(mask, scaled({{x + w * 0.2f, top + 1}, {x + w * 0.2f, top - h * 0.12f}, {x + w * 0.8f, top - h * 0.12f}, {x + w * 0.8f, top + 1}}, s));
    } else if (crown == 1) {  // spire
      fillPolygon(mask, scaled({{x + w * 0.3f, top + 1}, {centre, top - h * 0.25f}, {x + w * 0.7f, top + 1}}, s));
    } else if (crown == 2) {  // antenna
      strokeLine(mask, scaled({{centre, top}, {centre, top - random.between(12.0f, 30.0f)}}, s), 0.8f * s);
    } else if (crown == 3) {  // dome
      fillDisc(mask, scaled({centre, top}, s), w * 0.35f * s);
    }
    x += w + (random.below(4) == 0 ? random.between(2.0f, 6.0f) : 0.0f);
  }
  return mask;
}

}  // namespace showdata
