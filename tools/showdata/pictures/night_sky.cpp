// Night sky: a gradient from deep navy to a faint violet near the bottom, a
// soft nebula of fractal noise in a diagonal band (kept away from the middle,
// where the show's objects turn), and stars scattered by a seeded generator:
// many faint points, fewer soft discs, a few bright ones with spikes.
#include <cmath>

#include "core/noise.h"
#include "core/random.h"
#include "core/shapes.h"
#include "pictures/pictures.h"

namespace showdata {
namespace {

// `radius` in pixels; `s` pixels for each layout pixel, the spikes' width.
void addStar(Raster& picture, float x, float y, float brightness, float radius, Colour tint, bool spikes, float s) {
  const int reach = static_cast<int>(radius * (spikes ? 9.0f : 3.0f)) + 1;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const float px = std::floor(x) + dx + 0.5f - x, py = std::floor(y) + dy + 0.5f - y;
      const float r2 = (px * px + py * py) / (radius * radius);
      float light = std::exp(-r2 * 1.5f);
      const float qx = px / s, qy = py / s;  // across a spike, in layout pixels
      if (spikes) light += 0.35f * std::exp(-std::fabs(px) / radius * 2.5f - qy * qy * 2.0f) + 0.35f * std::exp(-std::fabs(py) / radius * 2.5f - qx * qx * 2.0f);
      picture.add(static_cast<int>(std::floor(x)) + dx, static_cast<int>(std::floor(y)) + dy, tint, brightness * light);
    }
  }
}

}  // namespace

Raster nightSky(const NightSkySettings& settings) {
  const float s = static_cast<float>(settings.size.scale);
  const int width = settings.size.width * settings.size.scale, height = settings.size.height * settings.size.scale;
  Raster picture(width, height, 3);
  for (int y = 0; y < height; ++y) {
    const float t = static_cast<float>(y) / (height - 1);
    for (int x = 0; x < width; ++x) {
      Colour sky = mix(Colour{0.012f, 0.018f, 0.06f}, Colour{0.06f, 0.05f, 0.13f}, t * t);
      // The nebula lies along a diagonal from the upper left to the lower right.
      const float u = static_cast<float>(x) / width, v = t;
      const float along = (u - v) * 1.4f;
      const float band = std::exp(-along * along * 5.0f);
      const float middle = std::hypot(u - 0.5f, (v - 0.5f) * 0.75f);
      const float away = smoothstep(0.12f, 0.38f, middle);
      const float cloud = fractalNoise(settings.seed, u * 5.0f, v * 4.0f, 6, 0.55f);
      const float wisps = smoothstep(0.42f, 0.8f, cloud) * band * away * settings.nebula;
      const float hue = fractalNoise(settings.seed + 9, u * 2.0f, v * 2.0f, 3);
      sky = sky + mix(Colour{0.45f, 0.20f, 0.70f}, Colour{0.10f, 0.45f, 0.65f}, hue) * wisps;
      picture.set(x, y, sky);
    }
  }
  Random random(settings.seed * 31 + 7);
  for (int i = 0; i < settings.faintStars; ++i) {
    const float x = random.between(0, width), y = random.between(0, height);
    const float brightness = std::pow(random.unit(), 2.0f) * 0.9f + 0.12f;
    const Colour tint = mix(Colour{0.75f, 0.82f, 1.0f}, Colour{1.0f, 0.9f, 0.75f}, random.unit());
    addStar(picture, x, y, brightness, 0.6f * s, tint, false, s);
  }
  for (int i = 0; i < settings.brightStars; ++i) {
    const float x = random.between(0, width), y = random.between(0, height);
    const bool spikes = i % 6 == 0;
    const Colour tint = mix(Colour{0.7f, 0.8f, 1.0f}, Colour{1.0f, 0.85f, 0.7f}, random.unit());
    addStar(picture, x, y, random.between(0.7f, 1.0f), random.between(1.0f, 1.8f) * s, tint, spikes, s);
  }
  return picture;
}

}  // namespace showdata
