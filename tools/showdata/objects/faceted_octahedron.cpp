// Faceted octahedron: eight triangles between the six axis points, each
// split into a barycentric grid of smaller triangles in its own plane (flat
// facets, crisp edges); shared edge points welded into one closed part.
#include "objects/objects.h"

namespace showdata {

Mesh facetedOctahedron(const OctahedronSettings& settings) {
  const Vector3 top{0, settings.stretch, 0}, bottom{0, -settings.stretch, 0};
  const Vector3 ring[4] = {{1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, -1}};
  const int n = settings.subdivisions;
  Mesh mesh;
  auto face = [&](Vector3 a, Vector3 b, Vector3 c) {
    // Point (i, j) = a + (b - a) i/n + (c - a) j/n for i + j <= n.
    const auto base = static_cast<std::uint32_t>(mesh.points.size());
    std::vector<std::uint32_t> rowStart;
    for (int j = 0; j <= n; ++j) {
      rowStart.push_back(static_cast<std::uint32_t>(mesh.points.size()) - base);
      for (int i = 0; i + j <= n; ++i) mesh.add(a + (b - a) * (static_cast<float>(i) / n) + (c - a) * (static_cast<float>(j) / n));
    }
    auto at = [&](int i, int j) { return base + rowStart[static_cast<std::size_t>(j)] + static_cast<std::uint32_t>(i); };
    for (int j = 0; j < n; ++j)
      for (int i = 0; i + j < n; ++i) {
        mesh.triangle(at(i, j), at(i + 1, j), at(i, j + 1));
        if (i + j + 1 < n) mesh.triangle(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
      }
  };
  for (int k = 0; k < 4; ++k) {
    const Vector3 a = ring[k], b = ring[(k + 1) % 4];
    face(top, b, a);
    face(bottom, a, b);
  }
  Mesh closed = welded(mesh);
  orientOutward(closed);
  return closed;
}

}  // namespace showdata
