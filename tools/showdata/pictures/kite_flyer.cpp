// Kite flyer: a flat-shape illustration (scanline polygons, discs and
// strokes) of a figure on a hill holding the string of a diamond kite; a rim
// light is the union mask minus itself shifted towards the light. The alpha
// picture is that union mask: everything drawn is opaque, the rest clear.
#include <algorithm>
#include <cmath>

#include "core/random.h"
#include "core/shapes.h"
#include "pictures/pictures.h"

namespace showdata {
namespace {

struct Part {
  Raster mask;
  Colour colour;
};

Raster hill(int w, int h) {
  Raster mask(w, h, 1);
  std::vector<Point> shape = bezier({-2, 398}, {90, 384}, {210, 410}, {w + 2.0f, 462}, 32);
  shape.push_back({w + 2.0f, h + 2.0f});
  shape.push_back({-2, h + 2.0f});
  fillPolygon(mask, shape);
  return mask;
}

Raster figure(int w, int h) {
  Raster mask(w, h, 1);
  fillDisc(mask, {96, 266}, 13);
  fillPolygon(mask, {{83, 283}, {110, 283}, {121, 358}, {71, 358}});       // coat
  strokeLine(mask, {{88, 356}, {85, 402}}, 5.0f);                           // legs
  strokeLine(mask, {{103, 356}, {109, 401}}, 5.0f);
  strokeLine(mask, {{107, 292}, {125, 272}, {141, 250}}, 4.5f);             // raised arm
  strokeLine(mask, {{86, 292}, {76, 318}, {73, 340}}, 4.2f);                // other arm
  return mask;
}

Raster scarf(int w, int h) {
  Raster mask(w, h, 1);
  fillPolygon(mask, {{88, 280}, {104, 281}, {92, 289}, {60, 296}, {46, 288}, {64, 286}});
  return mask;
}

struct Kite {
  Point top, right, bottom, left;
};

Kite kiteCorners() { return {{246, 52}, {282, 96}, {236, 140}, {204, 88}}; }

Raster kiteHalf(int w, int h, bool upper) {
  const Kite k = kiteCorners();
  Raster mask(w, h, 1);
  if (upper) {
    fillPolygon(mask, {k.left, k.top, k.right});
  } else {
    fillPolygon(mask, {k.left, k.right, k.bottom});
  }
  return mask;
}

Raster kiteLines(int w, int h, Random& random) {
  const Kite k = kiteCorners();
  Raster mask(w, h, 1);
  strokeLine(mask, bezier({141, 250}, {180, 215}, {214, 175}, k.bottom, 40), 0.7f);  // the string
  std::vector<Point> tail = bezier(k.bottom, {226, 180}, {262, 200}, {244, 250}, 40);
  strokeLine(mask, tail, 0.9f);
  for (int i = 8; i < 40; i += 8) {  // bows along the tail
    const Point p = tail[static_cast<std::size_t>(i)];
    const float s = random.between(4.0f, 6.0f);
    fillPolygon(mask, {{p.x - s, p.y - s * 0.6f}, {p.x, p.y}, {p.x - s, p.y + s * 0.6f}});
    fillPolygon(mask, {{p.x + s, p.y - s * 0.6f}, {p.x, p.y}, {p.x + s, p.y + s * 0.6f}});
  }
  return mask;
}

}  // namespace

ColourWithAlpha kiteFlyer(const KiteFlyerSettings& settings) {
  const int w = settings.width, h = settings.height;
  Random random(settings.seed);
  std::vector<Part> parts;
  parts.push_back({hill(w, h), {0.07f, 0.16f, 0.20f}});
  parts.push_back({figure(w, h), {0.09f, 0.10f, 0.20f}});
  parts.push_back({scarf(w, h), {0.85f, 0.22f, 0.20f}});
  parts.push_back({kiteHalf(w, h, true), {1.0f, 0.62f, 0.15f}});
  parts.push_back({kiteHalf(w, h, false), {0.95f, 0.85f, 0.30f}});
  parts.push_back({kiteLines(w, h, random), {0.85f, 0.85f, 0.80f}});

  ColourWithAlpha result{Raster(w, h, 3), Raster(w, h, 1)};
  for (std::size_t i = 0; i < result.colour.values.size(); i += 3) result.colour.values[i + 2] = 0.12f;
  for (const Part& part : parts) {
    paintMask(result.colour, part.mask, 0, 0, part.colour, 1.0f);
    for (std::size_t i = 0; i < part.mask.values.size(); ++i)
      result.alpha.values[i] = std::max(result.alpha.values[i], part.mask.values[i]);
  }
  // Shading: the hill darkens downwards; a warm rim where the light (upper right) meets an edge.
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const float coverage = result.alpha.at(x, y)[0];
      const float shifted = result.alpha.inside(x + 3, y - 3) ? result.alpha.at(x + 3, y - 3)[0] : 0.0f;
      const float rim = std::max(0.0f, coverage - shifted);
      result.colour.add(x, y, {1.0f, 0.72f, 0.42f}, rim * 0.85f);
      if (y > 390) result.colour.set(x, y, result.colour.colour(x, y) * (1.0f - 0.5f * (y - 390) / (h - 390.0f)));
    }
  }
  return result;
}

}  // namespace showdata
