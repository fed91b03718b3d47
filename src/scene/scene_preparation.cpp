// What a scene does once read, on the thread that read it: report its
// textures, give every sub-mesh the index of the surface it names, let the
// meshes prepare, and place the tree at time 0.
#include "scene/mesh/primitive.h"
#include "scene/nodes/scene_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

void Scene::prepareAfterLoad(const char* source) {
  source_ = source != nullptr ? source : "";
  reportTextureMemory(textures);
  for (const std::unique_ptr<Primitive>& mesh : meshes) {
    if (mesh == nullptr) continue;
    resolveSurfaceNames(*mesh);
    mesh->prepare();
  }
  // The meshes may draw into other buckets now: nothing the tree drew or
  // placed before stands.
  if (root == nullptr) return;
  root->invalidateTree();
  root->update(0.0f, Matrix44{});
}

// Appends one index per sub-mesh: the first surface of that name, or the
// surface count (which draws nothing) when none has it. Indices the mesh
// record already carried stay in front and are the ones drawn with; those
// that point at no surface are reported here, once.
void Scene::resolveSurfaceNames(Primitive& mesh) {
  const auto surfaceCount = static_cast<std::uint32_t>(surfaces.size());
  const std::size_t carried = mesh.surfaceIndices.size();
  for (std::size_t sub = 0; sub < mesh.subMeshes.size(); ++sub) {
    std::uint32_t index = surfaceCount;
    for (std::uint32_t s = 0; sub < mesh.surfaceNames.size() && s < surfaceCount; ++s) {
      if (surfaces[s] != nullptr && surfaces[s]->name == mesh.surfaceNames[sub]) {
        index = s;
        break;
      }
    }
    mesh.surfaceIndices.push_back(index);
  }
  for (std::size_t sub = 0; sub < carried && sub < mesh.subMeshes.size(); ++sub)
    if (mesh.surfaceIndices[sub] > surfaceCount)
      warnOnce("surface", mesh.surfaceIndices[sub], Fault::OutOfRange);
}
