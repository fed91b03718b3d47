#include "layers/mesh_framing.h"
#include "layers/scene_layers.h"
#include "platform/data_files.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/scene.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"

namespace kst {

namespace {

// The camera the mesh is seen through, or null with the reason logged once.
Camera* SceneCamera(const std::string& sceneName, const std::string& meshName, LayerWarning& warning) {
  Scene* scene = theSceneStock().loadedScene(sceneName.c_str());
  if (scene == nullptr) {
    warning.once("** Warning: scene \"%s\" is not loaded: the layer of mesh \"%s\" in it draws nothing\n",
                 platform::shownName(sceneName).c_str(), platform::shownName(meshName).c_str());
    return nullptr;
  }
  Camera* camera = scene->currentCameraObject();
  if (camera == nullptr)
    warning.once("** Warning: scene \"%s\" has no current camera: the layer of mesh \"%s\" in it draws nothing\n",
                 platform::shownName(sceneName).c_str(), platform::shownName(meshName).c_str());
  return camera;
}

}  // namespace

void BrushMeshInScene::Draw(float) {
  Camera* camera = SceneCamera(sceneName, meshName, warning_);
  if (camera == nullptr) return;
  MeshPrimitive* mesh = theMeshStock().get(meshName.c_str());
  if (mesh == nullptr) {
    warning_.once("** Warning: mesh \"%s\" is not in the mesh stock: its layer draws nothing\n",
                  platform::shownName(meshName).c_str());
    return;
  }
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera->ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera->ViewMatrix().m);
  UseFrameFaceAndDepthState();
  std::vector<Material*> drawn;
  drawn.reserve(materials.size());
  for (const auto& material : materials) drawn.push_back(material.get());
  DrawChunks(*mesh, drawn, *camera);
}

}  // namespace kst
