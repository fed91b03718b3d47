#pragma once
// Plain value shapes the store encodes. The math types keep the same memory
// layout (floats in order, matrices in OpenGL order) and convert to these.
#include <array>
#include <cfloat>

namespace persist {

using Vec2 = std::array<float, 2>;
using Vec3 = std::array<float, 3>;
using Vec4 = std::array<float, 4>;
using Colour = std::array<float, 4>;
using Matrix16 = std::array<float, 16>;

// Axis-aligned box that starts empty and grows around the points given.
struct BoundingBox {
  bool empty = true;
  Vec3 min{FLT_MAX, FLT_MAX, FLT_MAX};
  Vec3 max{-FLT_MAX, -FLT_MAX, -FLT_MAX};

  void grow(const Vec3& point) {
    for (std::size_t i = 0; i < 3; ++i) {
      if (empty || point[i] < min[i]) min[i] = point[i];
      if (empty || point[i] > max[i]) max[i] = point[i];
    }
    empty = false;
  }
  bool operator==(const BoundingBox&) const = default;
};

}  // namespace persist
