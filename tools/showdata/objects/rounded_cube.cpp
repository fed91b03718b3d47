// Rounded cube: each face of a cube is a grid whose lines sit where the
// flat part meets the rounding; every grid point is pulled onto a rounded
// box (the nearest point of the inner box plus the rounding radius along
// the way out). Shared edge points are welded into one closed part.
#include <algorithm>
#include <cmath>

#include "objects/objects.h"

namespace showdata {

Mesh roundedCube(const RoundedCubeSettings& settings) {
  const float r = settings.rounding, flat = 1.0f - r;
  const float middle = 0.4142136f;  // tan(22.5 degrees): halfway round the rounding
  const std::vector<float> grid = {-1.0f, -flat - r * middle, -flat, 0.0f, flat, flat + r * middle, 1.0f};
  auto rounded = [&](Vector3 p) {
    const Vector3 inner{std::clamp(p.x, -flat, flat), std::clamp(p.y, -flat, flat), std::clamp(p.z, -flat, flat)};
    return inner + Normalise(p - inner) * r;
  };
  Mesh mesh;
  const Vector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int axis = 0; axis < 3; ++axis) {
    for (float side : {-1.0f, 1.0f}) {
      const Vector3 n = axes[axis] * side, u = axes[(axis + 1) % 3], v = axes[(axis + 2) % 3];
      const std::size_t g = grid.size();
      const auto base = static_cast<std::uint32_t>(mesh.points.size());
      for (float b : grid)
        for (float a : grid) mesh.add(rounded(n + u * a + v * b));
      for (std::size_t j = 0; j + 1 < g; ++j)
        for (std::size_t i = 0; i + 1 < g; ++i) {
          const auto at = [&](std::size_t ii, std::size_t jj) { return base + static_cast<std::uint32_t>(jj * g + ii); };
          // u x v = n on the positive side, so this order faces out there.
          if (side > 0) {
            mesh.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
          } else {
            mesh.quad(at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j));
          }
        }
    }
  }
  Mesh closed = welded(mesh);
  orientOutward(closed);
  return closed;
}

}  // namespace showdata
