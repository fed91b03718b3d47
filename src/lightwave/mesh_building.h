#pragma once
// An LWO2 object record as a robust mesh: its points, its triangles tagged
// with their surfaces, corner colours from the surfaces' colour maps and up
// to two texture-coordinate sets from their texture layers.
#include <memory>
#include <string>

#include "lightwave/lw_object.h"
#include "render/robust_mesh.h"

namespace LW {

std::unique_ptr<kst::RobustMesh> BuildMesh(const Object& object, const LoadContext& context);

// The texture layers that make the corner coordinate sets 0 and 1 of a
// surface's triangles (null where there is none).
struct LayerSets {
  const TextureLayer* first = nullptr;
  const TextureLayer* second = nullptr;
  int count() const { return second != nullptr ? 2 : first != nullptr ? 1 : 0; }
};
LayerSets TexCoordLayers(const Surface& surface);

// Mesh loading for the mesh stock: a private load context whose search list
// holds `searchDirectory` when given. Null when the file is an IFF form of
// another type than LWO2; LW::LoadError when it cannot be loaded.
std::unique_ptr<kst::RobustMesh> LoadMesh(const char* path, const char* searchDirectory);

// The same load, keeping the record and the surfaces the mesh was built from
// (for tools); `mesh` is null for a form of another type.
struct LoadedMesh {
  LoadContext context;
  Object object;
  std::unique_ptr<kst::RobustMesh> mesh;
};
LoadedMesh LoadMeshWithRecord(const char* path, const char* searchDirectory);

}  // namespace LW
