#pragma once
// What one mesh of the shadow layer needs to cast shadows: for a light
// position in the mesh's own space, the silhouette edges (between a face
// the light sees and one it does not, and the open edges of lit faces).
// Edges between coplanar faces can never be on a silhouette; they are
// found once, when the caster is made, and skipped every frame after.
//
// The caster keeps a reference to the mesh (owned by the mesh stock) and
// builds its face normals and edge table on construction. Main thread only.
#include <cstdint>
#include <span>
#include <vector>

#include "render/robust_mesh.h"
#include "render/vector3.h"

namespace kst {

struct SilhouetteEdge {
  std::uint32_t first;   // the edge's smaller vertex
  std::uint32_t second;  // its larger vertex
  bool orientation;      // a lit face runs along the edge from first to second
};

class ShadowCaster {
 public:
  explicit ShadowCaster(RobustMesh& mesh);

  // Replaces the silhouette with the one seen from `light`.
  void ComputeSilhouette(Vector3 light);

  std::span<const SilhouetteEdge> silhouette() const { return silhouette_; }
  const RobustMesh& mesh() const { return mesh_; }
  bool neverSilhouette(std::size_t edge) const { return neverSilhouette_[edge] != 0; }

 private:
  RobustMesh& mesh_;
  // Face planes: unit normal and d, so a face is lit when n·L + d > 0.
  std::vector<Vector3> faceNormals_;
  std::vector<float> faceOffsets_;
  std::vector<std::uint8_t> neverSilhouette_;  // one per edge
  // The edges that can be on a silhouette, with their face references laid
  // out one after another: the frame's walk reads memory in order.
  struct Candidate {
    std::uint32_t first, second;
    std::uint32_t refStart, refCount;
  };
  std::vector<Candidate> candidates_;
  std::vector<std::uint32_t> faceRefs_;
  std::vector<std::uint8_t> lit_;  // one per face, this light
  std::vector<SilhouetteEdge> silhouette_;
};

}  // namespace kst
