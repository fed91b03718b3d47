#include "scene/mesh/mesh_primitive.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "persist/object_record.h"
#include "persist/persistent_store.h"
#include "render/camera.h"
#include "render/oriented_box.h"
#include "scene/mesh/chunk_cutting.h"
#include "scene/mesh/vertex_array_object.h"
#include "scene/render_list.h"

namespace {
std::atomic<std::uint64_t> madeMeshes{0};
}  // namespace

MeshPrimitive::MeshPrimitive() : serial(++madeMeshes) {}
MeshPrimitive::~MeshPrimitive() = default;

void MeshPrimitive::serialize(persistent_store& store, bool writing) {
  Primitive::serialize(store, writing);
  std::uint8_t hasSource = source != nullptr ? 1 : 0;
  store.exchange(writing, hasSource);
  if (hasSource > 1) throw persistent::ReadFailed;
  if (writing) {
    if (source != nullptr) writeRecord(*source, store);
    return;
  }
  // A record of another class leaves the mesh without a source; the store
  // frees it.
  source = hasSource == 1 ? store.adopt<kst::RobustMesh>(readRecord(store)) : nullptr;
  build(false, 0);
}

void MeshPrimitive::build(bool rebuildSource, unsigned buildFlags) {
  if (source == nullptr) return;
  if (rebuildSource) source->Build(buildFlags);
  box = source->boundingBox();
  std::vector<std::unique_ptr<kst::RobustMesh>> pieces = source->SplitBySurface();
  subMeshes.assign(pieces.size(), SubMesh{});
  chunks.clear();
  for (std::uint32_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i] == nullptr) continue;
    subMeshes[i].box = pieces[i]->boundingBox();
    for (std::unique_ptr<MeshChunk>& geometry : meshchunks::cutIntoChunks(*pieces[i], kMaxChunkTriangles))
      chunks.push_back({i, std::move(geometry)});
  }
  retained.clear();
  retained.resize(chunks.size());
  elements.clear();
  for (std::uint32_t c = 0; c < chunks.size(); ++c) elements.push_back(std::make_unique<RenderSubMesh>(*this, c));
  bumpGeneration();  // the old elements are gone
}

RetainedModeData& MeshPrimitive::retainedData(std::uint32_t chunk) {
  std::unique_ptr<RetainedModeData>& data = retained[chunk];
  if (data == nullptr) data = RetainedModeData::FromChunk(*chunks[chunk].geometry);
  return *data;
}

namespace {

// The smallest view-space z of the box's corners.
float nearestViewDepth(const OrientedBox& box, const Matrix44& view) {
  const Vector3 depthRow{view.at(2, 0), view.at(2, 1), view.at(2, 2)};
  return view.TransformPoint(box.centre).z - box.Reach(depthRow);
}

}  // namespace

void MeshPrimitive::render(Camera& camera, const Matrix44& worldMatrix, RenderList& renderList, std::int32_t flags) {
  for (std::uint32_t c = 0; c < chunks.size(); ++c) {
    // Surface indices not resolved yet: nothing to draw with.
    if (chunks[c].subMesh >= surfaceIndices.size()) continue;
    const OrientedBox placed = OrientedBox::FromBox(chunks[c].geometry->box, worldMatrix);
    if (placed.empty) continue;
    if (camera.Frustum().IsOrientedBoxOutside(placed)) continue;
    RenderSubMesh& element = *elements[c];
    element.depth = nearestViewDepth(placed, camera.ViewMatrix());
    retainedData(c);
    renderList.add(element, element.depth, flags, surfaceIndices[chunks[c].subMesh], worldMatrix);
  }
}
