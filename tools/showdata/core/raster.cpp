#include "core/raster.h"

#include <algorithm>
#include <cmath>

namespace showdata {

Colour mix(Colour a, Colour b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Colour operator*(Colour c, float s) { return {c.r * s, c.g * s, c.b * s}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

float clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

float smoothstep(float edge0, float edge1, float x) {
  const float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

Raster::Raster(int w, int h, int c, float fill)
    : width(w), height(h), channels(c), values(static_cast<std::size_t>(w) * h * c, fill) {}

Colour Raster::colour(int x, int y) const {
  const float* p = at(x, y);
  return channels == 1 ? Colour{p[0], p[0], p[0]} : Colour{p[0], p[1], p[2]};
}

void Raster::set(int x, int y, Colour c) {
  float* p = at(x, y);
  if (channels == 1) {
    p[0] = c.r;
  } else {
    p[0] = c.r, p[1] = c.g, p[2] = c.b;
  }
}

void Raster::blend(int x, int y, Colour c, float opacity) {
  if (!inside(x, y) || opacity <= 0.0f) return;
  set(x, y, mix(colour(x, y), c, std::min(opacity, 1.0f)));
}

void Raster::add(int x, int y, Colour c, float amount) {
  if (!inside(x, y) || amount <= 0.0f) return;
  set(x, y, colour(x, y) + c * amount);
}

namespace {

// One box pass along rows (horizontal) or columns, with a running sum.
void boxPass(const Raster& in, Raster& out, int radius, bool horizontal, bool wrap) {
  const int length = horizontal ? in.width : in.height;
  const int lines = horizontal ? in.height : in.width;
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  auto index = [&](int line, int i) {
    if (wrap) {
      i = ((i % length) + length) % length;
    } else {
      i = std::clamp(i, 0, length - 1);
    }
    return horizontal ? in.at(i, line) : in.at(line, i);
  };
  for (int line = 0; line < lines; ++line) {
    for (int c = 0; c < in.channels; ++c) {
      float sum = 0.0f;
      for (int i = -radius; i <= radius; ++i) sum += index(line, i)[c];
      for (int i = 0; i < length; ++i) {
        float* target = horizontal ? out.at(i, line) : out.at(line, i);
        target[c] = sum * scale;
        sum += index(line, i + radius + 1)[c] - index(line, i - radius)[c];
      }
    }
  }
}

}  // namespace

Raster blurred(const Raster& source, int radius, int passes, bool wrapRows) {
  Raster a = source;
  Raster b = source;
  for (int pass = 0; pass < passes; ++pass) {
    boxPass(a, b, radius, true, false);
    boxPass(b, a, radius, false, wrapRows);
  }
  return a;
}

Raster resized(const Raster& source, int width, int height) {
  Raster out(width, height, source.channels);
  const float sx = static_cast<float>(source.width) / width;
  const float sy = static_cast<float>(source.height) / height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      // The source area under this pixel, at least one source pixel wide.
      const int x0 = std::min(static_cast<int>(x * sx), source.width - 1);
      const int y0 = std::min(static_cast<int>(y * sy), source.height - 1);
      const int x1 = std::max(x0 + 1, std::min(static_cast<int>((x + 1) * sx), source.width));
      const int y1 = std::max(y0 + 1, std::min(static_cast<int>((y + 1) * sy), source.height));
      float* target = out.at(x, y);
      for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx)
          for (int c = 0; c < source.channels; ++c) target[c] += source.at(xx, yy)[c];
      const float count = static_cast<float>((x1 - x0) * (y1 - y0));
      for (int c = 0; c < source.channels; ++c) target[c] /= count;
    }
  }
  return out;
}

void paintMask(Raster& target, const Raster& mask, int left, int top, Colour colour, float opacity, bool add) {
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      const float coverage = mask.at(x, y)[0] * opacity;
      if (add) {
        target.add(left + x, top + y, colour, coverage);
      } else {
        target.blend(left + x, top + y, colour, coverage);
      }
    }
  }
}

void glow(Raster& target, const Raster& mask, int left, int top, int radius, Colour colour, float opacity, bool add) {
  const int margin = 3 * radius;
  Raster room(mask.width + 2 * margin, mask.height + 2 * margin, 1);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) room.at(x + margin, y + margin)[0] = mask.at(x, y)[0];
  paintMask(target, blurred(room, radius, 3), left - margin, top - margin, colour, opacity, add);
}

Raster asColour(const Raster& grey) {
  Raster out(grey.width, grey.height, 3);
  for (int y = 0; y < grey.height; ++y)
    for (int x = 0; x < grey.width; ++x) out.set(x, y, grey.colour(x, y));
  return out;
}

}  // namespace showdata
