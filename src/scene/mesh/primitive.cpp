#include "scene/mesh/primitive.h"

#include "persist/persistent_store.h"

void Primitive::serialize(persistent_store& store, bool writing) {
  std::uint32_t count = static_cast<std::uint32_t>(subMeshes.size());
  store.exchangeVarint(writing, count);
  // One at a time: a damaged count runs into the end of the stream, not
  // into one huge allocation.
  if (!writing) subMeshes.clear();
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!writing) subMeshes.emplace_back();
    store.exchange(writing, subMeshes[i].box);
  }
  store.exchangeDelta(writing, surfaceIndices);
  store.exchange(writing, box);
  std::uint32_t names = static_cast<std::uint32_t>(surfaceNames.size());
  store.exchangeVarint(writing, names);
  if (!writing) surfaceNames.clear();
  for (std::uint32_t i = 0; i < names; ++i) {
    if (!writing) surfaceNames.emplace_back();
    store.exchange(writing, surfaceNames[i]);
  }
}

void Primitive::addSubMesh(const std::string& surfaceName) {
  surfaceNames.push_back(surfaceName);
  subMeshes.emplace_back();
}

std::vector<Vector3> Primitive::boundingPoints() const {
  if (box.empty) return {};
  std::vector<Vector3> corners;
  corners.reserve(8);
  for (int i = 0; i < 8; ++i)
    corners.push_back({(i & 1) != 0 ? box.max[0] : box.min[0], (i & 2) != 0 ? box.max[1] : box.min[1],
                       (i & 4) != 0 ? box.max[2] : box.min[2]});
  return corners;
}
