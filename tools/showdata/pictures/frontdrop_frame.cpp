// Frontdrop: a picture that multiplies the frame, so white keeps the scene
// and dark hides it. Near white in the middle; towards the edges an
// elliptical vignette; at the edges a dark ornamental band drawn from
// distance fields: a repeated diamond chain between two hairlines, with a
// rosette in each corner.
#include <algorithm>
#include <cmath>

#include "pictures/pictures.h"

namespace showdata {
namespace {

struct BandPoint {
  float along;   // position along the band
  float across;  // distance in from the picture's edge
};

BandPoint bandPoint(float x, float y, float width, float height) {
  const float left = x, right = width - x, top = y, bottom = height - y;
  const float nearest = std::min({left, right, top, bottom});
  if (nearest == top || nearest == bottom) return {x, nearest};
  return {y, nearest};
}

}  // namespace

// The frame is drawn in layout pixels; each pixel of the picture is 1 / s
// of one.
Raster frontdropFrame(const FrameSettings& settings) {
  const int scale = settings.size.scale;
  const float s = static_cast<float>(scale);
  // Coverage of the region where `distance` (in layout pixels) < 0,
  // anti-aliased over one pixel of the picture.
  const auto inside = [s](float distance) { return std::clamp(0.5f - distance * s, 0.0f, 1.0f); };
  const float width = static_cast<float>(settings.size.width), height = static_cast<float>(settings.size.height);
  const Colour paper{1.0f, 0.99f, 0.97f}, bronze{0.16f, 0.12f, 0.09f}, gilt{0.62f, 0.52f, 0.38f};
  const float inner = settings.inset + settings.bandWidth;
  const float period = settings.bandWidth * 1.4f;
  Raster picture(settings.size.width * scale, settings.size.height * scale, 3);
  for (int iy = 0; iy < picture.height; ++iy) {
    for (int ix = 0; ix < picture.width; ++ix) {
      const float x = (ix + 0.5f) / s, y = (iy + 0.5f) / s;
      const float u = (x / width - 0.5f) * 2.0f, v = (y / height - 0.5f) * 2.0f;
      const float radius = std::sqrt(u * u * 0.5f + v * v * 0.5f);
      Colour c = paper * (1.0f - settings.vignette * smoothstep(0.45f, 1.0f, radius));
      const BandPoint p = bandPoint(x, y, width, height);
      // Everything outside the inner hairline is the dark frame.
      c = mix(c, bronze, inside(p.across - inner));
      c = mix(c, gilt, inside(std::fabs(p.across - inner - 5.0f) - 0.9f) * 0.9f);
      c = mix(c, gilt, inside(std::fabs(p.across - settings.inset) - 0.8f));
      // The diamond chain in the middle of the band.
      const float middle = settings.inset + settings.bandWidth * 0.5f;
      const float phase = std::fabs(std::fmod(p.along, period) - period * 0.5f);
      const float diamond = phase + std::fabs(p.across - middle) * 1.3f - settings.bandWidth * 0.42f;
      c = mix(c, gilt, inside(std::fabs(diamond) - 1.0f) * inside(p.across - inner));
      c = mix(c, gilt * 0.8f, inside(std::hypot(phase, p.across - middle) - 2.0f));
      // Rosettes: rings around each corner's middle point.
      const float cx = x < width * 0.5f ? middle : width - middle, cy = y < height * 0.5f ? middle : height - middle;
      const float corner = std::hypot(x - cx, y - cy);
      if (corner < settings.bandWidth) {
        const float petals = std::cos(std::atan2(y - cy, x - cx) * 8.0f) * 3.0f;
        c = mix(c, bronze, inside(corner - settings.bandWidth * 0.85f));
        c = mix(c, gilt, inside(std::fabs(corner - settings.bandWidth * 0.6f - petals) - 1.2f));
        c = mix(c, gilt, inside(corner - 3.0f));
      }
      picture.set(ix, iy, c);
    }
  }
  return picture;
}

}  // namespace showdata
