#include "scenes/hall_layout.h"

#include <algorithm>
#include <cmath>

namespace showdata::hall {

namespace {
constexpr float kPi = 3.14159265f;
}

Vector3 sunThroughWindows(int side) { return Normalise({-0.62f * side, -0.72f, 0.22f}); }

Vector3 sunThroughOculus(int side) { return Normalise({-0.2f * side, -1.0f, 0.08f}); }

std::vector<Vector3> windowOutline(int side, int index, int headSegments) {
  const float x = side * kHalfWidth;
  const float zc = kWindowZ[static_cast<std::size_t>(index)];
  std::vector<Vector3> outline;
  // From the sill corner at lower z along the sill, over the head and back
  // down: Cross points out through the +x wall that way, so the -x wall
  // lists it the other way round.
  outline.push_back({x, kWindowSill, zc - kWindowHalfWidth});
  outline.push_back({x, kWindowSill, zc + kWindowHalfWidth});
  for (int k = 0; k <= headSegments; ++k) {
    const float a = kPi * static_cast<float>(k) / headSegments;
    outline.push_back({x, kWindowSpring + kWindowHalfWidth * std::sin(a), zc + kWindowHalfWidth * std::cos(a)});
  }
  if (side < 0) std::reverse(outline.begin() + 1, outline.end());
  return outline;
}

float oculusHeight() { return kWallHeight + std::sqrt(kDomeRadius * kDomeRadius - kOculusRadius * kOculusRadius); }

float domeTop() { return kWallHeight + kDomeRadius; }

std::vector<Vector3> oculusOutline(int segments) {
  std::vector<Vector3> outline;
  const float y = oculusHeight();
  for (int k = 0; k < segments; ++k) {
    const float a = 2.0f * kPi * static_cast<float>(k) / segments;
    outline.push_back({kOculusRadius * std::cos(a), y, kOculusRadius * std::sin(a)});
  }
  return outline;
}

const std::array<Shaft, 8>& shafts() {
  static const std::array<Shaft, 8> list = {{
      {"demo\\Mosquee\\volum1OK2.lwo", -1, 1},
      {"demo\\Mosquee\\volum1OK2sym.lwo", 1, 1},
      {"demo\\Mosquee\\volum2OK.lwo", -1, 2},
      {"demo\\Mosquee\\volum2OKsym.lwo", 1, 2},
      {"demo\\Mosquee\\volum3OK.lwo", -1, 3},
      {"demo\\Mosquee\\volum3OKsym.lwo", 1, 3},
      {"demo\\Mosquee\\volumPlaf.lwo", -1, -1},
      {"demo\\Mosquee\\volumPlaf-sym.lwo", 1, -1},
  }};
  return list;
}

std::vector<Vector3> floorLanding(const std::vector<Vector3>& outline, Vector3 direction) {
  std::vector<Vector3> landing;
  for (const Vector3& p : outline) landing.push_back(p + direction * (p.y / -direction.y));
  return landing;
}

}  // namespace showdata::hall
