// Title: a dawn sky graded from night blue through rose to gold, clouds from
// horizontally stretched fractal noise, lit from below by a low sun (their
// lower edges take the sun's colour where the noise rises upward), a dark
// line of hills, and the name in large glowing capitals.
#include <cmath>

#include "core/noise.h"
#include "pictures/pictures.h"

namespace showdata {
namespace {

Colour skyColour(float t) {  // t: 0 at the top, 1 at the horizon
  const Colour night{0.05f, 0.07f, 0.22f}, violet{0.32f, 0.20f, 0.42f}, rose{0.86f, 0.45f, 0.42f}, gold{1.0f, 0.78f, 0.45f};
  if (t < 0.45f) return mix(night, violet, t / 0.45f);
  if (t < 0.78f) return mix(violet, rose, (t - 0.45f) / 0.33f);
  return mix(rose, gold, (t - 0.78f) / 0.22f);
}

}  // namespace

Raster titleDawn(const Fonts& fonts, const DawnSettings& settings) {
  const int scale = settings.size.scale;
  const float s = static_cast<float>(scale);
  const int width = settings.size.width * scale, height = settings.size.height * scale;
  const float horizon = height * 0.80f;
  const float sunX = width * 0.62f;
  Raster picture(width, height, 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float t = std::fmin(y / horizon, 1.0f);
      Colour sky = skyColour(t);
      const float sunDistance = std::hypot((x - sunX) / width, (y - horizon) / height * 1.6f);
      sky = sky + Colour{1.0f, 0.7f, 0.4f} * (0.55f * std::exp(-sunDistance * 7.0f));
      // Clouds: noise stretched into long streaks (its domain bent by a
      // second noise), in a band above the horizon; thin edges catch the
      // low sun, thick cores stay dark, and lower clouds glow warmer.
      const float warp = fractalNoise(settings.seed + 3, x / (300.0f * s), y / (120.0f * s), 3) - 0.5f;
      const float n = fractalNoise(settings.seed, x / (380.0f * s) + warp, y / (60.0f * s) + warp * 0.6f, 5);
      const float band = smoothstep(0.15f, 0.5f, t) * (1.0f - smoothstep(0.84f, 0.98f, t));
      const float density = smoothstep(settings.cloudCover, settings.cloudCover + 0.16f, n) * band;
      const float core = smoothstep(settings.cloudCover + 0.08f, settings.cloudCover + 0.3f, n);
      const Colour rim = mix(Colour{0.85f, 0.55f, 0.65f}, Colour{1.0f, 0.78f, 0.5f}, smoothstep(0.4f, 0.95f, t));
      const Colour shade = mix(rim, Colour{0.25f, 0.15f, 0.30f}, core * 0.8f);
      picture.set(x, y, mix(sky, shade, density * 0.92f));
    }
  }
  // Hills: a one-dimensional noise profile, dark against the glow.
  for (int x = 0; x < width; ++x) {
    const float ridge = horizon - 8.0f * s - 46.0f * s * fractalNoise(settings.seed + 5, x / (180.0f * s), 0.5f, 4);
    for (int y = static_cast<int>(ridge); y < height; ++y) {
      const float edge = std::fmin(1.0f, y - ridge + 1.0f);
      picture.blend(x, y, mix(Colour{0.10f, 0.06f, 0.14f}, Colour{0.03f, 0.02f, 0.06f}, (y - ridge) / (height - ridge)), edge);
    }
  }
  const Raster name = fonts.bold.render("SKYWARD", 112 * scale, 12 * scale);
  const int left = (width - name.width) / 2, top = static_cast<int>(height * 0.36f) - name.height / 2;
  glow(picture, name, left, top + 4 * scale, 14 * scale, {0.15f, 0.05f, 0.15f}, 0.55f, false);
  glow(picture, name, left, top, 10 * scale, {1.0f, 0.75f, 0.5f}, 0.8f);
  paintMask(picture, name, left, top, {1.0f, 0.97f, 0.92f}, 1.0f);
  return picture;
}

}  // namespace showdata
