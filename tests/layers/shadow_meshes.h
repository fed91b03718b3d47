#pragma once
// Small closed and open meshes for the shadow tests, built so that each
// face normal ((b − a) × (c − a)) points out of the solid, and where a
// camera shows a point.
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "render/camera.h"
#include "render/robust_mesh.h"

namespace shadow_test {

// Quads given by an outward normal axis; corners shared by position.
class MeshBuilder {
 public:
  // A quad with centre c and half sides t1, t2 where t1 × t2 is the outward normal.
  void quad(Vector3 c, Vector3 t1, Vector3 t2) {
    const std::uint32_t a = vertex(c - t1 - t2), b = vertex(c + t1 - t2), d = vertex(c + t1 + t2),
                        e = vertex(c - t1 + t2);
    triangles_.insert(triangles_.end(), {a, b, d, a, d, e});
  }
  std::unique_ptr<kst::RobustMesh> build() {
    auto mesh = std::make_unique<kst::RobustMesh>();
    mesh->SetVertices(positions_);
    const std::size_t count = triangles_.size() / 3;
    mesh->SetTriangles(triangles_, std::vector<std::int32_t>(count, 0), 1);
    mesh->Build(kst::RobustMesh::kBuildTopology);
    return mesh;
  }

 private:
  std::uint32_t vertex(Vector3 p) {
    const auto key = std::make_tuple(p.x, p.y, p.z);
    auto [it, added] = index_.emplace(key, static_cast<std::uint32_t>(positions_.size()));
    if (added) positions_.push_back(p);
    return it->second;
  }
  std::map<std::tuple<float, float, float>, std::uint32_t> index_;
  std::vector<Vector3> positions_;
  std::vector<std::uint32_t> triangles_;
};

// An axis-aligned box from `low` to `high`, closed, 12 triangles.
inline std::unique_ptr<kst::RobustMesh> box(Vector3 low, Vector3 high) {
  const Vector3 c = (low + high) * 0.5f, h = (high - low) * 0.5f;
  const Vector3 x{h.x, 0, 0}, y{0, h.y, 0}, z{0, 0, h.z};
  MeshBuilder builder;
  builder.quad(c + x, y, z);
  builder.quad(c - x, z, y);
  builder.quad(c + y, z, x);
  builder.quad(c - y, x, z);
  builder.quad(c + z, x, y);
  builder.quad(c - z, y, x);
  return builder.build();
}

// Where the camera puts a world point in a frame of width x height
// pixels, origin at the bottom left.
inline std::pair<int, int> pixelOf(Camera& camera, Vector3 p, int width, int height) {
  const Matrix44 clip = Multiply(camera.ProjectionMatrix(), camera.ViewMatrix());
  float out[4];
  for (int r = 0; r < 4; ++r) out[r] = clip.at(r, 0) * p.x + clip.at(r, 1) * p.y + clip.at(r, 2) * p.z + clip.at(r, 3);
  return {static_cast<int>((out[0] / out[3] * 0.5f + 0.5f) * width),
          static_cast<int>((out[1] / out[3] * 0.5f + 0.5f) * height)};
}

}  // namespace shadow_test
