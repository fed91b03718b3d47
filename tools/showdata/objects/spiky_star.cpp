// Spiky star: an icosahedron whose faces are split three ways per edge
// (shared points welded), projected onto a small sphere; the twelve
// original corners are then drawn far out, each into a five-sided spike.
#include <cmath>

#include "objects/objects.h"

namespace showdata {

Mesh spikyStar(const StarSettings& settings) {
  const float g = 1.6180340f;
  const Vector3 corners[12] = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                               {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
  const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                            {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
                            {3, 8, 9},  {4, 9, 5},  {2, 4, 11},  {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
  constexpr int kSplit = 3;
  Mesh mesh;
  for (const auto& f : faces) {
    const Vector3 a = corners[f[0]], b = corners[f[1]], c = corners[f[2]];
    const auto base = static_cast<std::uint32_t>(mesh.points.size());
    std::vector<std::uint32_t> rowStart;
    for (int j = 0; j <= kSplit; ++j) {
      rowStart.push_back(static_cast<std::uint32_t>(mesh.points.size()) - base);
      for (int i = 0; i + j <= kSplit; ++i) mesh.add(a + (b - a) * (i / 3.0f) + (c - a) * (j / 3.0f));
    }
    auto at = [&](int i, int j) { return base + rowStart[static_cast<std::size_t>(j)] + static_cast<std::uint32_t>(i); };
    for (int j = 0; j < kSplit; ++j)
      for (int i = 0; i + j < kSplit; ++i) {
        mesh.triangle(at(i, j), at(i + 1, j), at(i, j + 1));
        if (i + j + 1 < kSplit) mesh.triangle(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
      }
  }
  Mesh star = welded(mesh, 1e-4f);
  const float cornerLength = std::sqrt(1.0f + g * g);
  for (Vector3& p : star.points) {
    const bool corner = std::fabs(Length(p) - cornerLength) < 1e-3f;
    p = Normalise(p) * (corner ? settings.spike : settings.body);
  }
  orientOutward(star);
  return star;
}

}  // namespace showdata
