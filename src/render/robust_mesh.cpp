#include "render/robust_mesh.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace kst {

namespace {

// One value per corner, corner i using value i.
template <typename Value>
MeshChannel<Value> PerCorner(std::vector<Value> values) {
  MeshChannel<Value> channel;
  channel.corners.resize(values.size());
  std::iota(channel.corners.begin(), channel.corners.end(), 0u);
  channel.values = std::move(values);
  return channel;
}

}  // namespace

void RobustMesh::SetVertices(std::vector<Vector3> positions) {
  positions_.values = std::move(positions);
  ComputeBoundingBox();
  DropDerived();
}

void RobustMesh::SetTriangles(std::vector<std::uint32_t> vertexIndices, std::vector<std::int32_t> surfaceTags,
                              int surfaceCount) {
  positions_.corners = std::move(vertexIndices);
  positions_.corners.resize(positions_.corners.size() / 3 * 3);
  surfaceTags_ = std::move(surfaceTags);
  surfaceTags_.resize(triangleCount(), 0);
  surfaceCount_ = surfaceCount;
  DropDerived();
}

// A short or long attribute array is fitted to the corners: missing corners
// get the default value, so every channel covers every triangle.
void RobustMesh::SetCornerColours(std::vector<Rgba> colours) {
  colours.resize(positions_.corners.size());
  colours_ = PerCorner(std::move(colours));
}

void RobustMesh::AddCornerTexCoords(std::vector<TexCoord> texCoords) {
  if (texCoordChannelCount_ >= kMaxTexCoordChannels) return;
  texCoords.resize(positions_.corners.size());
  texCoords_[texCoordChannelCount_++] = PerCorner(std::move(texCoords));
}

void RobustMesh::DropDerived() {
  faceNormals_.reset();
  topology_.reset();
  faceRings_.reset();
}

void RobustMesh::Build(unsigned flags) {
  DropDerived();
  // A triangle naming a vertex that does not exist would make every later
  // step read out of bounds; it goes the way of the degenerate ones.
  const std::size_t vertices = vertexCount();
  DropTriangles([vertices](const std::uint32_t* t) { return t[0] >= vertices || t[1] >= vertices || t[2] >= vertices; });
  if ((flags & kKeepUnusedVertices) == 0) DropUnusedVertices();
  DropTriangles([](const std::uint32_t* t) { return t[0] == t[1] || t[1] == t[2] || t[0] == t[2]; });
  ComputeBoundingBox();
  if ((flags & kBuildTopology) != 0) {
    Topology();
    VertexFaceRings();
  }
  if ((flags & kBuildNormals) != 0) {
    ComputeCornerNormals();
    if ((flags & kKeepFaceNormals) == 0) faceNormals_.reset();
  }
}

void RobustMesh::DropUnusedVertices() {
  std::vector<std::int64_t> newOfOld(vertexCount(), -1);
  for (std::uint32_t v : positions_.corners) newOfOld[v] = 0;
  std::vector<Vector3> kept;
  for (std::size_t v = 0; v < newOfOld.size(); ++v) {
    if (newOfOld[v] < 0) continue;
    newOfOld[v] = static_cast<std::int64_t>(kept.size());
    kept.push_back(positions_.values[v]);
  }
  for (std::uint32_t& v : positions_.corners) v = static_cast<std::uint32_t>(newOfOld[v]);
  positions_.values = std::move(kept);
}

void RobustMesh::DropTriangles(const std::function<bool(const std::uint32_t*)>& drop) {
  std::vector<std::uint32_t> kept;
  kept.reserve(triangleCount());
  for (std::uint32_t i = 0; i < triangleCount(); ++i)
    if (!drop(positions_.corners.data() + 3 * i)) kept.push_back(i);
  if (kept.size() == triangleCount()) return;
  KeepTriangles(positions_, kept);
  KeepTriangles(normals_, kept);
  KeepTriangles(colours_, kept);
  for (MeshChannel<TexCoord>& channel : texCoords_) KeepTriangles(channel, kept);
  std::vector<std::int32_t> tags;
  tags.reserve(kept.size());
  for (std::uint32_t i : kept) tags.push_back(surfaceTags_[i]);
  surfaceTags_ = std::move(tags);
}

void RobustMesh::ComputeBoundingBox() {
  box_ = persist::BoundingBox{};
  for (const Vector3& p : positions_.values) box_.grow({p.x, p.y, p.z});
}

const EdgeTable& RobustMesh::Topology() {
  if (!topology_) topology_ = std::make_unique<EdgeTable>(EdgeTable::FromTriangles(positions_.corners));
  return *topology_;
}

const FaceRings& RobustMesh::VertexFaceRings() {
  if (!faceRings_) faceRings_ = std::make_unique<FaceRings>(FaceRings::FromTriangles(positions_.corners, vertexCount()));
  return *faceRings_;
}

void RobustMesh::Select(std::span<const std::uint32_t> triangles, RobustMesh& piece) const {
  piece.DropDerived();
  piece.surfaceTags_.clear();
  piece.positions_ = SelectTriangles(positions_, triangles);
  piece.normals_ = SelectTriangles(normals_, triangles);
  piece.colours_ = SelectTriangles(colours_, triangles);
  for (int set = 0; set < kMaxTexCoordChannels; ++set) piece.texCoords_[set] = SelectTriangles(texCoords_[set], triangles);
  piece.texCoordChannelCount_ = texCoordChannelCount_;
  for (std::uint32_t t : triangles) piece.surfaceTags_.push_back(surfaceTags_[t]);
  piece.surfaceCount_ = surfaceCount_;
  piece.ComputeBoundingBox();
}

std::vector<std::unique_ptr<RobustMesh>> RobustMesh::SplitBySurface() const {
  std::vector<std::vector<std::uint32_t>> bySurface(std::max(surfaceCount_, 0));
  for (std::uint32_t t = 0; t < triangleCount(); ++t)
    if (surfaceTags_[t] >= 0 && surfaceTags_[t] < surfaceCount_) bySurface[surfaceTags_[t]].push_back(t);
  std::vector<std::unique_ptr<RobustMesh>> pieces(bySurface.size());
  for (std::size_t s = 0; s < bySurface.size(); ++s)
    if (!bySurface[s].empty()) {
      pieces[s] = std::make_unique<RobustMesh>();
      Select(bySurface[s], *pieces[s]);
    }
  return pieces;
}

void RobustMesh::SplitByPlane(const Plane3d& plane, RobustMesh& front, RobustMesh& back) const {
  const PlaneSides sides = ClassifyByPlane<std::uint32_t>(positions_.corners, positions_.values, plane);
  Select(sides.front, front);
  Select(sides.back, back);
}

}  // namespace kst
