// What a scene does once read, on the thread that read it: report its
// textures, give every sub-mesh the index of the surface it names, let the
// meshes prepare, and place the tree at time 0.
#include <string>

#include "platform/data_files.h"
#include "render/camera.h"
#include "scene/image.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/scene_node.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

void Scene::prepareAfterLoad(const char* source) {
  source_ = source != nullptr ? source : "";
  asRead_.emplace(AsRead{currentCamera, pendingCamera, {}});
  for (const Camera* camera : cameras) asRead_->nearDistances.push_back(camera != nullptr ? camera->nearDistance() : 0.0f);
  nameTextures();
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

void Scene::returnToAsRead() {
  if (!asRead_) return;
  currentCamera = asRead_->currentCamera;
  pendingCamera = asRead_->pendingCamera;
  for (std::size_t i = 0; i < cameras.size() && i < asRead_->nearDistances.size(); ++i)
    if (cameras[i] != nullptr) cameras[i]->SetNear(asRead_->nearDistances[i]);
}

// A texture read from a scene file has no name of its own (names are not
// stored): it is called by the picture file it was made from, or where its
// pixels were stored raw by the scene file and its place in the list.
void Scene::nameTextures() {
  for (std::size_t i = 0; i < textures.size(); ++i) {
    TextureImage* texture = textures[i].get();
    if (texture == nullptr || !texture->name.empty()) continue;
    for (const Image* picture : {static_cast<const Image*>(texture->image32.get()),
                                 static_cast<const Image*>(texture->image24.get()),
                                 static_cast<const Image*>(texture->image8.get())})
      if (picture != nullptr && texture->name.empty()) texture->name = picture->name;
    if (texture->name.empty()) texture->name = platform::shownName(source_) + ", texture " + std::to_string(i);
  }
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
