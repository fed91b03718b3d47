// Face normals and the smoothed corner normals made from them.
#include "render/robust_mesh.h"

#include <algorithm>

namespace kst {

namespace {

// Faces closer than 60 degrees are smoothed together.
constexpr float kSmoothingCosine = 0.5f;
// Below this squared sine between the two sides the corners count as
// collinear: the triangle has no direction, and gets a zero normal.
constexpr float kCollinearSineSquared = 1e-12f;

Vector3 FaceNormal(Vector3 a, Vector3 b, Vector3 c) {
  const Vector3 u = b - a, v = c - a;
  const Vector3 n = Cross(u, v);
  if (Dot(n, n) <= kCollinearSineSquared * Dot(u, u) * Dot(v, v)) return {};
  return Normalise(n);
}

Vector3 SmoothedNormal(std::uint32_t t, std::span<const std::uint32_t> ring, const std::vector<Vector3>& faceNormals) {
  const Vector3 own = faceNormals[t];
  Vector3 sum = own;
  float added = 1.0f;
  for (std::uint32_t other : ring) {
    if (other == t || Dot(faceNormals[other], own) <= kSmoothingCosine) continue;
    sum += faceNormals[other];
    added += 1.0f;
  }
  return Normalise(sum * (1.0f / added));
}

}  // namespace

const std::vector<Vector3>& RobustMesh::FaceNormals() {
  if (!faceNormals_) {
    auto normals = std::make_unique<std::vector<Vector3>>();
    normals->reserve(triangleCount());
    const std::span<const std::uint32_t> t = positions_.corners;
    const std::vector<Vector3>& p = positions_.values;
    for (std::size_t i = 0; i < triangleCount(); ++i) normals->push_back(FaceNormal(p[t[3 * i]], p[t[3 * i + 1]], p[t[3 * i + 2]]));
    faceNormals_ = std::move(normals);
  }
  return *faceNormals_;
}

// Corners of one vertex whose smoothed normals come out equal share one
// value, so that a smooth surface keeps one normal per vertex.
void RobustMesh::ComputeCornerNormals() {
  const std::vector<Vector3>& faceNormals = FaceNormals();
  const FaceRings& rings = VertexFaceRings();
  std::vector<std::vector<std::uint32_t>> valuesOfVertex(vertexCount());
  MeshChannel<Vector3> normals;
  normals.corners.reserve(positions_.corners.size());
  for (std::uint32_t corner = 0; corner < positions_.corners.size(); ++corner) {
    const std::uint32_t vertex = positions_.corners[corner];
    const Vector3 normal = SmoothedNormal(corner / 3, rings.Of(vertex), faceNormals);
    std::vector<std::uint32_t>& known = valuesOfVertex[vertex];
    auto same = std::find_if(known.begin(), known.end(), [&](std::uint32_t i) { return normals.values[i] == normal; });
    if (same == known.end()) {
      known.push_back(static_cast<std::uint32_t>(normals.values.size()));
      normals.values.push_back(normal);
      same = known.end() - 1;
    }
    normals.corners.push_back(*same);
  }
  normals_ = std::move(normals);
}

}  // namespace kst
