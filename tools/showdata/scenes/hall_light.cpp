#include "scenes/hall_light.h"

#include <algorithm>
#include <cmath>

#include "scenes/hall_layout.h"

namespace showdata::hall {
namespace {

// Whether the point q of a plane lies inside the convex outline (all in
// that plane), by the sign of every edge against the outline's own turn.
bool insideConvex(const std::vector<Vector3>& outline, Vector3 q) {
  const Vector3 normal = Cross(outline[1] - outline[0], outline[2] - outline[0]);
  for (std::size_t k = 0; k < outline.size(); ++k) {
    const Vector3 a = outline[k], b = outline[(k + 1) % outline.size()];
    if (Dot(Cross(b - a, q - a), normal) < 0.0f) return false;
  }
  return true;
}

// Whether the sun reaches the floor point p through one of the shafts.
bool sunlit(Vector3 p) {
  for (const Shaft& shaft : shafts()) {
    const bool oculus = shaft.window < 0;
    const std::vector<Vector3> opening = oculus ? oculusOutline() : windowOutline(shaft.side, shaft.window);
    const Vector3 toward = -(oculus ? sunThroughOculus(shaft.side) : sunThroughWindows(shaft.side));
    // Back along the light to the opening's plane.
    const float distance = oculus ? (opening[0].y - p.y) / toward.y : (opening[0].x - p.x) / toward.x;
    if (distance > 0.0f && insideConvex(opening, p + toward * distance)) return true;
  }
  return false;
}

}  // namespace

Lighting hallLighting() {
  Lighting lighting;
  lighting.ambient = {0.26f, 0.23f, 0.20f};
  lighting.sky = {0.12f, 0.12f, 0.13f};
  for (int side : {-1, 1})
    for (float z : kWindowZ)
      lighting.points.push_back({{side * (kHalfWidth - 1.5f), 5.0f, z}, {0.5f, 0.44f, 0.34f}, 4.5f});
  lighting.points.push_back({{0.0f, oculusHeight() - 1.0f, 0.0f}, {0.55f, 0.55f, 0.55f}, 5.0f});
  lighting.points.push_back({{0.0f, 2.4f, kHalfLength - 0.4f}, {0.45f, 0.3f, 0.12f}, 1.6f});
  return lighting;
}

Raster floorLightMap() {
  constexpr int kSize = 512;
  Raster map(kSize, kSize, 1);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Vector3 p{-kHalfWidth + 2.0f * kHalfWidth * (x + 0.5f) / kSize, 0.0f, -kHalfLength + 2.0f * kHalfLength * (y + 0.5f) / kSize};
      map.at(x, y)[0] = sunlit(p) ? 1.0f : 0.0f;
    }
  map = blurred(map, 2, 3);
  Raster light(kSize, kSize, 3);
  const Colour shade{0.52f, 0.48f, 0.45f}, sun{1.0f, 0.96f, 0.86f};
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      // Darker along the walls, where less light reaches.
      const float wall = std::min(std::min(x, kSize - 1 - x) * 2.0f * kHalfWidth, std::min(y, kSize - 1 - y) * 2.0f * kHalfLength) / kSize;
      const float corner = 0.8f + 0.2f * smoothstep(0.0f, 1.5f, wall);
      light.set(x, y, mix(shade, sun, map.at(x, y)[0]) * corner);
    }
  return light;
}

}  // namespace showdata::hall
