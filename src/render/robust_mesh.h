#pragma once
// The engine's indexed triangle mesh with topology: positions and triangles,
// per-corner attribute channels (normals, colours, up to eight texture
// coordinate sets), a surface tag per triangle, and, built on demand, face
// normals, vertex face rings and an edge table whose edges know their faces.
// Used by one thread at a time: the on-demand parts are built without locks.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "persist/persistent.h"
#include "persist/stored_values.h"
#include "render/mesh_channel.h"
#include "render/mesh_topology.h"
#include "render/plane3d.h"

namespace kst {

class RobustMesh : public persistent {
 public:
  static constexpr const char storedName[] = "class kst::RobustMesh";
  static constexpr int kMaxTexCoordChannels = 8;

  enum BuildFlags : unsigned {
    kBuildNormals = 0x01,          // face normals and smoothed corner normals
    kBuildTopology = 0x02,         // edge table and vertex face rings
    kKeepFaceNormals = 0x08,       // keep the face normals made for the corner normals
    kKeepUnusedVertices = 0x20,    // skip dropping the vertices no triangle uses
  };

  RobustMesh() = default;
  ~RobustMesh() override = default;

  // Saves or loads the channels, box and tags; a damaged stream throws
  // persistent::exception (ReadFailed) and leaves no derived data behind.
  void serialize(persistent_store& store, bool writing) override;

  // Building a mesh: vertices, then triangles (three vertex indices each)
  // with one surface tag per triangle, then optional per-corner attributes
  // (one value per triangle corner, 3 x triangle count).
  void SetVertices(std::vector<Vector3> positions);
  void SetTriangles(std::vector<std::uint32_t> vertexIndices, std::vector<std::int32_t> surfaceTags, int surfaceCount);
  void SetCornerColours(std::vector<Rgba> colours);
  void AddCornerTexCoords(std::vector<TexCoord> texCoords);

  // Derives what the flags ask for; see BuildFlags. Triangles with two equal
  // vertex indices are always dropped, with their corners and tags.
  void Build(unsigned flags);

  const std::vector<Vector3>& FaceNormals();
  bool hasFaceNormals() const { return faceNormals_ != nullptr; }
  const EdgeTable& Topology();
  const FaceRings& VertexFaceRings();

  // One piece per surface tag 0 .. surfaceCount − 1, null where a surface has
  // no triangle.
  std::vector<std::unique_ptr<RobustMesh>> SplitBySurface() const;
  // Whole triangles: to the back when at least two corners are behind the
  // plane (n·p + d < 0), else to the front.
  void SplitByPlane(const Plane3d& plane, RobustMesh& front, RobustMesh& back) const;

  std::size_t triangleCount() const { return positions_.corners.size() / 3; }
  std::size_t vertexCount() const { return positions_.values.size(); }
  const MeshChannel<Vector3>& positions() const { return positions_; }
  std::span<const std::uint32_t> triangles() const { return positions_.corners; }
  const MeshChannel<Vector3>& normals() const { return normals_; }
  const MeshChannel<Rgba>& colours() const { return colours_; }
  const MeshChannel<TexCoord>& texCoords(int set) const { return texCoords_[set]; }
  int texCoordChannelCount() const { return texCoordChannelCount_; }
  const std::vector<std::int32_t>& surfaceTags() const { return surfaceTags_; }
  int surfaceCount() const { return surfaceCount_; }
  const persist::BoundingBox& boundingBox() const { return box_; }

 protected:
  // The mesh restricted to the chosen triangles, each channel with its own
  // copies of the values they use, numbered by first use.
  void Select(std::span<const std::uint32_t> triangles, RobustMesh& piece) const;
  void DropDerived();
  void CheckLoaded() const;
  void DropUnusedVertices();
  // Removes the triangles `drop` picks, with their corners in every channel and their tags.
  void DropTriangles(const std::function<bool(const std::uint32_t*)>& drop);
  void ComputeBoundingBox();
  void ComputeCornerNormals();

  std::unique_ptr<std::vector<Vector3>> faceNormals_;
  persist::BoundingBox box_;
  std::int32_t surfaceCount_ = 0;
  std::unique_ptr<EdgeTable> topology_;
  std::unique_ptr<FaceRings> faceRings_;
  MeshChannel<Vector3> positions_;
  MeshChannel<Vector3> normals_;
  MeshChannel<Rgba> colours_;
  std::array<MeshChannel<TexCoord>, kMaxTexCoordChannels> texCoords_;
  std::vector<std::int32_t> surfaceTags_;
  std::int32_t texCoordChannelCount_ = 0;
};

// Triangle numbers of an index list on each side of a plane: a triangle goes
// to the back when at least two of its corners have n·p + d < 0.
struct PlaneSides {
  std::vector<std::uint32_t> front;
  std::vector<std::uint32_t> back;
};

template <typename Index>
PlaneSides ClassifyByPlane(std::span<const Index> triangles, std::span<const Vector3> positions, const Plane3d& plane) {
  PlaneSides sides;
  for (std::uint32_t t = 0; t < triangles.size() / 3; ++t) {
    int behind = 0;
    for (int k = 0; k < 3; ++k) behind += plane.Distance(positions[triangles[3 * t + k]]) < 0.0f;
    (behind >= 2 ? sides.back : sides.front).push_back(t);
  }
  return sides;
}

}  // namespace kst
