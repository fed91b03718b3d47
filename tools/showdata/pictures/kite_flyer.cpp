// Kite flyer: a flat-shape illustration (scanline polygons, discs and
// strokes) of a figure on a hill holding the string of a diamond kite; a rim
// light is the union mask minus itself shifted towards the light. The alpha
// picture is that union mask: everything drawn is opaque, the rest clear.
// Shapes are placed in layout pixels and drawn at the picture's scale `s`.
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

// A mask of the layout size w x h, drawn at scale s.
Raster layoutMask(int w, int h, float s) {
  return Raster(static_cast<int>(static_cast<float>(w) * s), static_cast<int>(static_cast<float>(h) * s), 1);
}

Raster hill(int w, int h, float s) {
  Raster mask = layoutMask(w, h, s);
  std::vector<Point> shape = bezier({-2, 398}, {90, 384}, {210, 410}, {w + 2.0f, 462}, 32);
  shape.push_back({w + 2.0f, h + 2.0f});
  shape.push_back({-2, h + 2.0f});
  fillPolygon(mask, scaled(shape, s));
  return mask;
}

Raster figure(int w, int h, float s) {
  Raster mask = layoutMask(w, h, s);
  fillDisc(mask, scaled({96, 266}, s), 13 * s);
  fillPolygon(mask, scaled({{83, 283}, {110, 283}, {121, 358}, {71, 358}}, s));  // coat
  strokeLine(mask, scaled({{88, 356}, {85, 402}}, s), 5.0f * s);                  // legs
  strokeLine(mask, scaled({{103, 356}, {109, 401}}, s), 5.0f * s);
  strokeLine(mask, scaled({{107, 292}, {125, 272}, {141, 250}}, s), 4.5f * s);    // raised arm
  strokeLine(mask, scaled({{86, 292}, {76, 318}, {73, 340}}, s), 4.2f * s);       // other arm
  return mask;
}

Raster scarf(int w, int h, float s) {
  Raster mask = layoutMask(w, h, s);
  fillPolygon(mask, scaled({{88, 280}, {104, 281}, {92, 289}, {60, 296}, {46, 288}, {64, 286}}, s));
  return mask;
}

struct Kite {
  Point top, right, bottom, left;
};

Kite kiteCorners() { return {{246, 52}, {282, 96}, {236, 140}, {204, 88}}; }

Raster kiteHalf(int w, int h, float s, bool upper) {
  const Kite k = kiteCorners();
  Raster mask = layoutMask(w, h, s);
  if (upper) {
    fillPolygon(mask, scaled({k.left, k.top, k.right}, s));
  } else {
    fillPolygon(mask, scaled({k.left, k.right, k.bottom}, s));
  }
  return mask;
}

Raster kiteLines(int w, int h, float s, Random& random) {
  const Kite k = kiteCorners();
  Raster mask = layoutMask(w, h, s);
  strokeLine(mask, scaled(bezier({141, 250}, {180, 215}, {214, 175}, k.bottom, 40), s), 0.7f * s);  // the string
  std::vector<Point> tail = bezier(k.bottom, {226, 180}, {262, 200}, {244, 250}, 40);
  strokeLine(mask, scaled(tail, s), 0.9f * s);
  for (int i = 8; i < 40; i += 8) {  // bows along the tail
    const Point p = tail[static_cast<std::size_t>(i)];
    const float b = random.between(4.0f, 6.0f);
    fillPolygon(mask, scaled({{p.x - b, p.y - b * 0.6f}, {p.x, p.y}, {p.x - b, p.y + b * 0.6f}}, s));
    fillPolygon(mask, scaled({{p.x + b, p.y - b * 0.6f}, {p.x, p.y}, {p.x + b, p.y + b * 0.6f}}, s));
  }
  return mask;
}

}  // namespace

ColourWithAlpha kiteFlyer(const KiteFlyerSettings& settings) {
  const int w = settings.width, h = settings.height, scale = settings.scale;
  const float s = static_cast<float>(scale);
  Random random(settings.seed);
  std::vector<Part> parts;
  parts.push_back({hill(w, h, s), {0.07f, 0.16f, 0.20f}});
  parts.push_back({figure(w, h, s), {0.09f, 0.10f, 0.20f}});
  parts.push_back({scarf(w, h, s), {0.85f, 0.22f, 0.20f}});
  parts.push_back({kiteHalf(w, h, s, true), {1.0f, 0.62f, 0.15f}});
  parts.push_back({kiteHalf(w, h, s, false), {0.95f, 0.85f, 0.30f}});
  parts.push_back({kiteLines(w, h, s, random), {0.85f, 0.85f, 0.80f}});

  ColourWithAlpha result{Raster(w * scale, h * scale, 3), Raster(w * scale, h * scale, 1)};
  for (std::size_t i = 0; i < result.colour.values.size(); i += 3) result.colour.values[i + 2] = 0.12f;
  for (const Part& part : parts) {
    paintMask(result.colour, part.mask, 0, 0, part.colour, 1.0f);
    for (std::size_t i = 0; i < part.mask.values.size(); ++i)
      result.alpha.values[i] = std::max(result.alpha.values[i], part.mask.values[i]);
  }
  // Shading: the hill darkens downwards; a warm rim where the light (upper right) meets an edge.
  const int rimShift = 3 * scale, hillTop = 390 * scale, height = h * scale;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < w * scale; ++x) {
      const float coverage = result.alpha.at(x, y)[0];
      const float shifted =
          result.alpha.inside(x + rimShift, y - rimShift) ? result.alpha.at(x + rimShift, y - rimShift)[0] : 0.0f;
      const float rim = std::max(0.0f, coverage - shifted);
      result.colour.add(x, y, {1.0f, 0.72f, 0.42f}, rim * 0.85f);
      if (y > hillTop)
        result.colour.set(x, y, result.colour.colour(x, y) * (1.0f - 0.5f * (y - hillTop) / (height - static_cast<float>(hillTop))));
    }
  }
  return result;
}

}  // namespace showdata
