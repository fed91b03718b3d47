// The metaballs' pictures. The matcap is a sphere as the camera sees it,
// painted once: indexed by the blob's normal turned into the camera's
// frame, it gives every blob the same liquid sheen (a pale body that the
// blob's colour tints, a bright rim, a warm reflection below and a sharp
// highlight up to the left). The
// backdrop wraps round the scene: a deep gradient with a glow behind the
// blobs and out-of-focus lights.
#include <algorithm>
#include <cmath>

#include "core/noise.h"
#include "core/random.h"
#include "textures/textures.h"

namespace showdata {

Raster liquidMatcap(std::uint64_t seed, int scale) {
  return paintPixels(256 * scale, 256 * scale, [&](float u, float v) {
    // The normal's x and y; z toward the camera.
    const float x = u * 2.0f - 1.0f, y = 1.0f - v * 2.0f;
    const float r2 = std::min(x * x + y * y, 1.0f);
    const float z = std::sqrt(1.0f - r2);
    Colour c = mix(Colour{0.18f, 0.16f, 0.24f}, Colour{0.62f, 0.6f, 0.7f}, z);
    // The rim, brighter toward the top.
    const float rim = std::pow(1.0f - z, 2.5f);
    c = c + Colour{0.55f, 0.75f, 0.85f} * (rim * (0.6f + 0.4f * y));
    // A warm floor reflected in the lower half.
    const float floorGlow = smoothstep(-0.1f, -0.75f, y) * (0.4f + 0.6f * z);
    c = c + Colour{0.85f, 0.55f, 0.4f} * (0.4f * floorGlow);
    // A soft key light and a sharp highlight, up and to the left.
    const float key = std::max(0.0f, -0.45f * x + 0.55f * y + 0.7f * z);
    c = c + Colour{0.5f, 0.5f, 0.55f} * std::pow(key, 6.0f);
    const float spot = std::hypot(x + 0.38f, y - 0.45f);
    c = c + Colour{1.0f, 1.0f, 1.0f} * (1.0f - smoothstep(0.04f, 0.11f, spot));
    const float ripple = fractalNoise(seed, u * 6.0f, v * 6.0f, 3);
    return c * (0.94f + 0.1f * ripple);
  });
}

Raster studioBackdrop(std::uint64_t seed, int scale) {
  Random random(seed);
  struct Light {
    float u, v, radius;
    Colour colour;
  };
  std::vector<Light> lights;
  for (int i = 0; i < 40; ++i)
    lights.push_back({random.unit(), random.between(0.2f, 0.8f), random.between(0.008f, 0.03f),
                      mix(Colour{0.9f, 0.4f, 0.8f}, Colour{0.3f, 0.8f, 1.0f}, random.unit()) * random.between(0.25f, 0.6f)});
  return paintPixels(512 * scale, 256 * scale, [&](float u, float v) {
    // v = 0 at the top of the sphere, 1 at the bottom; u round it.
    Colour c = mix(Colour{0.03f, 0.02f, 0.09f}, Colour{0.20f, 0.06f, 0.26f}, smoothstep(0.1f, 0.55f, v));
    c = mix(c, Colour{0.02f, 0.07f, 0.10f}, smoothstep(0.55f, 0.95f, v));
    const float behind = std::exp(-std::pow((v - 0.5f) / 0.12f, 2.0f));
    c = c + Colour{0.35f, 0.12f, 0.35f} * (0.5f * behind);
    for (const Light& light : lights) {
      float du = std::fabs(u - light.u);
      du = std::min(du, 1.0f - du) * 2.0f;  // round the sphere; u spans twice v's angle
      const float d = std::hypot(du, v - light.v);
      c = c + light.colour * (1.0f - smoothstep(light.radius * 0.7f, light.radius, d));
    }
    const float haze = fractalNoise(seed + 3, u * 8.0f, v * 4.0f, 4, 0.5f, 8, 0);
    return c * (0.85f + 0.3f * haze);
  });
}

}  // namespace showdata
