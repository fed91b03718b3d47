// Final logo: a dark blue field with a soft radial glow and faint stars, the
// emblem (the bird in its ring, the same outline as the 3D emblem) filled by
// scanlines with a light gradient and a glow, the name in spaced capitals,
// and one closing line.
#include <cmath>

#include "core/emblem_outline.h"
#include "core/random.h"
#include "core/shapes.h"
#include "pictures/pictures.h"

namespace showdata {
namespace {

// The emblem's mask at `scale` pixels per unit around (cx, cy); the gap
// around the bird `gap` pixels wide.
Raster emblemMask(int width, int height, float cx, float cy, float scale, int gapWidth) {
  const EmblemShape shape = emblemShape(8);
  Raster ring(width, height, 1), bird(width, height, 1);
  std::vector<Point> outer, innerRing;
  for (int i = 0; i < 180; ++i) {
    const float a = i * 6.2831853f / 180;
    outer.push_back({cx + std::cos(a) * (shape.ringRadius + shape.ringHalfWidth) * scale,
                     cy - std::sin(a) * (shape.ringRadius + shape.ringHalfWidth) * scale});
  }
  fillPolygon(ring, outer);
  Raster hole(width, height, 1);
  for (int i = 0; i < 180; ++i) {
    const float a = -i * 6.2831853f / 180;
    innerRing.push_back({cx + std::cos(a) * (shape.ringRadius - shape.ringHalfWidth) * scale,
                         cy - std::sin(a) * (shape.ringRadius - shape.ringHalfWidth) * scale});
  }
  fillPolygon(hole, innerRing);
  std::vector<Point> outline;
  for (Point p : shape.bird) outline.push_back({cx + p.x * scale, cy - p.y * scale});
  fillPolygon(bird, outline);
  // A thin gap of background around the bird where it crosses the ring.
  const Raster gap = blurred(bird, gapWidth, 2);
  Raster mask(width, height, 1);
  for (std::size_t i = 0; i < mask.values.size(); ++i) {
    const float band = ring.values[i] * (1.0f - hole.values[i]) * (1.0f - std::fmin(1.0f, gap.values[i] * 3.0f));
    mask.values[i] = std::fmax(band, bird.values[i]);
  }
  return mask;
}

}  // namespace

Raster finalLogo(const Fonts& fonts, const LogoSettings& settings) {
  const int s = settings.size.scale;
  const int width = settings.size.width * s, height = settings.size.height * s;
  const float cx = width * 0.5f, cy = height * 0.38f;
  Raster picture(width, height, 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float d = std::hypot((x - cx) / width, (y - cy) / height);
      const Colour base = mix(Colour{0.02f, 0.03f, 0.08f}, Colour{0.0f, 0.0f, 0.015f}, std::fmin(1.0f, d * 1.6f));
      picture.set(x, y, base + Colour{0.10f, 0.16f, 0.32f} * std::exp(-d * d * 14.0f));
    }
  }
  Random random(settings.seed);
  for (int i = 0; i < 260; ++i) {
    const int x = random.below(width), y = random.below(height);
    const float light = std::pow(random.unit(), 3.0f) * 0.6f;
    for (int dy = 0; dy < s; ++dy)
      for (int dx = 0; dx < s; ++dx) picture.add(x + dx, y + dy, {0.8f, 0.85f, 1.0f}, light);
  }
  const float emblemScale = 150.0f * static_cast<float>(s);
  const Raster emblem = emblemMask(width, height, cx, cy, emblemScale, 3 * s);
  paintMask(picture, blurred(emblem, 12 * s, 3), 0, 0, {0.30f, 0.55f, 1.0f}, 0.9f, true);
  for (int y = 0; y < height; ++y) {
    const float t = std::fmin(1.0f, std::fmax(0.0f, (y - (cy - emblemScale)) / (2.0f * emblemScale)));
    for (int x = 0; x < width; ++x) picture.blend(x, y, mix(Colour{1.0f, 0.95f, 0.85f}, Colour{0.55f, 0.75f, 1.0f}, t), emblem.at(x, y)[0]);
  }
  const Raster name = fonts.bold.render("SKYWARD", 76 * s, 22 * s);
  const int nameTop = static_cast<int>(cy + static_cast<float>(165 * s));
  glow(picture, name, (width - name.width) / 2, nameTop, 8 * s, {0.3f, 0.5f, 1.0f}, 0.7f);
  paintMask(picture, name, (width - name.width) / 2, nameTop, {0.92f, 0.95f, 1.0f}, 1.0f);
  const Raster closing = fonts.serif.render(settings.closingLine, 19 * s, s);
  paintMask(picture, closing, (width - closing.width) / 2, nameTop + name.height + 30 * s, {0.6f, 0.68f, 0.85f}, 1.0f);
  return picture;
}

}  // namespace showdata
