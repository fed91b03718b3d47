#include "support/box_chunks.h"

#include <cmath>

namespace fake {
namespace {

// Appends triangle (a, b, c), turned so that (b − a) × (c − a) points away
// from `inside`: clockwise on screen seen from outside.
void addTriangle(MeshChunk& chunk, std::uint16_t a, std::uint16_t b, std::uint16_t c, Vector3 inside) {
  const Vector3& pa = chunk.positions[a];
  const Vector3 normal = Cross(chunk.positions[b] - pa, chunk.positions[c] - pa);
  const Vector3 centre = (pa + chunk.positions[b] + chunk.positions[c]) * (1.0f / 3.0f);
  if (Dot(normal, centre - inside) < 0.0f) std::swap(b, c);
  chunk.indices.insert(chunk.indices.end(), {a, b, c});
}

void finish(MeshChunk& chunk) {
  chunk.vertexCount = static_cast<std::uint32_t>(chunk.positions.size());
  chunk.triangleCount = static_cast<std::uint32_t>(chunk.indices.size() / 3);
  for (const Vector3& p : chunk.positions) chunk.box.grow({p.x, p.y, p.z});
}

}  // namespace

MeshChunk boxChunk(Vector3 min, Vector3 max) {
  MeshChunk chunk;
  for (int i = 0; i < 8; ++i)
    chunk.positions.push_back({i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z});
  const Vector3 inside = (min + max) * 0.5f;
  // Each face: the four corners whose bit `axis` equals `side`, as a quad.
  for (int axis = 0; axis < 3; ++axis)
    for (int side = 0; side < 2; ++side) {
      std::uint16_t quad[4];
      int n = 0;
      for (std::uint16_t i = 0; i < 8; ++i)
        if (((i >> axis) & 1) == side) quad[n++] = i;
      // quad holds the corners in binary order: 0-1-3 and 0-3-2 cover it.
      addTriangle(chunk, quad[0], quad[1], quad[3], inside);
      addTriangle(chunk, quad[0], quad[3], quad[2], inside);
    }
  finish(chunk);
  return chunk;
}

MeshChunk sphereChunk(Vector3 centre, float radius, int rings, int segments) {
  MeshChunk chunk;
  for (int r = 0; r <= rings; ++r) {
    const float theta = static_cast<float>(M_PI) * r / rings;
    for (int s = 0; s <= segments; ++s) {
      const float phi = 2.0f * static_cast<float>(M_PI) * s / segments;
      const Vector3 n{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
      chunk.positions.push_back(centre + n * radius);
      chunk.normals.push_back(n);
    }
  }
  const auto at = [&](int r, int s) { return static_cast<std::uint16_t>(r * (segments + 1) + s); };
  for (int r = 0; r < rings; ++r)
    for (int s = 0; s < segments; ++s) {
      if (r > 0) addTriangle(chunk, at(r, s), at(r + 1, s), at(r, s + 1), centre);
      if (r + 1 < rings) addTriangle(chunk, at(r, s + 1), at(r + 1, s), at(r + 1, s + 1), centre);
    }
  finish(chunk);
  return chunk;
}

}  // namespace fake
