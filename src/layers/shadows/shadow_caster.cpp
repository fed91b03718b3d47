#include "layers/shadows/shadow_caster.h"

#include <algorithm>

namespace kst {
namespace {

// Calls `visit` with each face reference of edge `edge`'s ring.
template <typename Visit>
void ForEachFace(const EdgeTable& table, std::size_t edge, Visit visit) {
  const std::vector<EdgeTable::Slot>& slots = table.slots();
  for (std::int32_t s = static_cast<std::int32_t>(edge);;) {
    const EdgeTable::Slot& slot = slots[static_cast<std::size_t>(s)];
    if (slot.next == -1) return;  // an edge no face uses
    visit(slot.faceRef);
    if (slot.next == s) return;
    s = slot.next;
  }
}

}  // namespace

ShadowCaster::ShadowCaster(RobustMesh& mesh) : mesh_(mesh) {
  faceNormals_ = mesh.FaceNormals();
  const std::vector<Vector3>& positions = mesh.positions().values;
  const std::span<const std::uint32_t> triangles = mesh.triangles();
  faceOffsets_.reserve(faceNormals_.size());
  for (std::size_t t = 0; t < faceNormals_.size(); ++t)
    faceOffsets_.push_back(-Dot(faceNormals_[t], positions[triangles[3 * t]]));
  lit_.resize(faceNormals_.size());

  const EdgeTable& table = mesh.Topology();
  neverSilhouette_.resize(table.edgeCount());
  std::vector<std::uint32_t> refs;
  for (std::size_t e = 0; e < table.edgeCount(); ++e) {
    refs.clear();
    ForEachFace(table, e, [&](std::uint32_t ref) { refs.push_back(ref); });
    const Vector3 firstNormal = refs.empty() ? Vector3{} : faceNormals_[FaceRef::Triangle(refs[0])];
    const bool coplanar = std::all_of(refs.begin(), refs.end(), [&](std::uint32_t ref) {
      return Dot(faceNormals_[FaceRef::Triangle(ref)], firstNormal) == 1.0f;
    });
    neverSilhouette_[e] = refs.size() >= 2 && coplanar;
    if (neverSilhouette_[e] || refs.empty()) continue;
    const auto& ends = table.Vertices(e);
    candidates_.push_back({ends[0], ends[1], static_cast<std::uint32_t>(faceRefs_.size()),
                           static_cast<std::uint32_t>(refs.size())});
    faceRefs_.insert(faceRefs_.end(), refs.begin(), refs.end());
  }
  silhouette_.reserve(candidates_.size());
}

void ShadowCaster::ComputeSilhouette(Vector3 light) {
  for (std::size_t t = 0; t < lit_.size(); ++t) lit_[t] = Dot(faceNormals_[t], light) + faceOffsets_[t] > 0.0f;
  silhouette_.clear();
  for (const Candidate& edge : candidates_) {
    if (edge.refCount == 2) {  // nearly every edge of a closed mesh
      const std::uint32_t a = faceRefs_[edge.refStart], b = faceRefs_[edge.refStart + 1];
      const bool litA = lit_[FaceRef::Triangle(a)] != 0, litB = lit_[FaceRef::Triangle(b)] != 0;
      if (litA == litB) continue;
      silhouette_.push_back({edge.first, edge.second, FaceRef::Forward(litB ? b : a)});
      continue;
    }
    bool anyLit = false, allLit = true, orientation = false;
    for (std::uint32_t k = edge.refStart; k < edge.refStart + edge.refCount; ++k) {
      const std::uint32_t ref = faceRefs_[k];
      const bool lit = lit_[FaceRef::Triangle(ref)] != 0;
      if (lit) orientation = FaceRef::Forward(ref);
      anyLit = anyLit || lit;
      allLit = allLit && lit;
    }
    // Faces that all agree hide the edge, unless it is the open edge of a lit face.
    if (anyLit == allLit && (edge.refCount >= 2 || !anyLit)) continue;
    silhouette_.push_back({edge.first, edge.second, orientation});
  }
}

}  // namespace kst
