#include "scene/mesh/chunk_cutting.h"

#include <algorithm>

#include "scene/mesh/chunk_building.h"

namespace meshchunks {

namespace {

// A piece the cut cannot divide: one chunk while 16-bit indices can reach
// every vertex it may need, else consecutive runs.
void emitWhole(const kst::RobustMesh& piece, std::uint32_t maxTriangles,
               std::vector<std::unique_ptr<MeshChunk>>& chunks) {
  const std::size_t triangles = piece.triangleCount();
  const std::size_t run = triangles <= kMaxListTriangles ? triangles : maxTriangles;
  for (std::size_t first = 0; first < triangles; first += run)
    chunks.push_back(makeChunk(piece, first, std::min(run, triangles - first)));
}

}  // namespace

int splitAxis(const persist::BoundingBox& box) {
  const float x = box.max[0] - box.min[0];
  const float y = box.max[1] - box.min[1];
  const float z = box.max[2] - box.min[2];
  if (x > y && x > z) return 0;
  return y > z ? 1 : 2;
}

Plane3d splitPlane(const kst::RobustMesh& piece) {
  const persist::BoundingBox& box = piece.boundingBox();
  const int axis = splitAxis(box);
  double sum = 0.0;
  for (const Vector3& p : piece.positions().values) sum += p[axis];
  const std::size_t count = piece.positions().values.size();
  Vector3 point{(box.min[0] + box.max[0]) * 0.5f, (box.min[1] + box.max[1]) * 0.5f, (box.min[2] + box.max[2]) * 0.5f};
  point[axis] = count != 0 ? static_cast<float>(sum / static_cast<double>(count)) : point[axis];
  Vector3 normal;
  normal[axis] = 1.0f;
  return Plane3d(normal, point);
}

std::vector<std::unique_ptr<MeshChunk>> cutIntoChunks(const kst::RobustMesh& piece, std::uint32_t maxTriangles) {
  std::vector<std::unique_ptr<MeshChunk>> chunks;
  // Halves still to cut, the next one last: an explicit stack, since a
  // badly shaped piece can be cut many times over.
  std::vector<std::unique_ptr<kst::RobustMesh>> pending;
  auto visit = [&](const kst::RobustMesh& mesh) {
    if (mesh.triangleCount() <= maxTriangles) {
      chunks.push_back(makeChunk(mesh, 0, mesh.triangleCount()));
      return;
    }
    auto front = std::make_unique<kst::RobustMesh>();
    auto back = std::make_unique<kst::RobustMesh>();
    mesh.SplitByPlane(splitPlane(mesh), *front, *back);
    if (front->triangleCount() == 0 || back->triangleCount() == 0) {
      emitWhole(mesh, maxTriangles, chunks);
      return;
    }
    pending.push_back(std::move(back));
    pending.push_back(std::move(front));
  };
  visit(piece);
  while (!pending.empty()) {
    std::unique_ptr<kst::RobustMesh> next = std::move(pending.back());
    pending.pop_back();
    visit(*next);
  }
  return chunks;
}

}  // namespace meshchunks
