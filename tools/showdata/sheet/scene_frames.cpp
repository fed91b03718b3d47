#include "sheet/scene_frames.h"

#include <stdexcept>

#include "layers/mesh_framing.h"
#include "lightwave/mesh_building.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_volumetric.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "stocks/scene_stock.h"
#include "sheet/gl_canvas.h"

namespace showdata {
namespace {

void drawLightVolumes(Scene& scene, std::span<MeshPrimitive* const> volumes) {
  Camera* camera = scene.currentCameraObject();
  if (camera == nullptr) return;
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera->ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera->ViewMatrix().m);
  kst::UseFrameFaceAndDepthState();
  kst::Mat_Volumetric light;
  kst::Material* const materials[] = {&light};
  for (MeshPrimitive* volume : volumes) kst::DrawChunks(*volume, materials, *camera);
}

}  // namespace

Raster sceneFrame(Scene& scene, int camera, float time, int width, int height, std::span<MeshPrimitive* const> lightVolumes) {
  gl.glViewport(0, 0, width, height);
  gl.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  gl.glDepthMask(GL_TRUE);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  kst::ResetViewportDepth(scene.backgroundColor.data());
  kst::UseFrameFaceAndDepthState();
  scene.setPendingCamera(camera);
  scene.update(time);
  scene.render();
  drawLightVolumes(scene, lightVolumes);
  return readFrame(width, height);
}

std::unique_ptr<MeshPrimitive> loadLightVolume(const std::string& path) {
  auto volume = std::make_unique<MeshPrimitive>();
  volume->source = LW::LoadMesh(path.c_str(), nullptr);
  if (volume->source == nullptr) throw std::runtime_error(path + ": not an LWO2 object");
  volume->build(true, 0);
  return volume;
}

Scene& readThroughStock(kst::SceneStock& stock, const std::string& path) {
  stock.load(path.c_str(), false);
  Scene* scene = stock.waitForScene(path.c_str());
  if (scene == nullptr) throw std::runtime_error(path + ": no scene could be read from it");
  return *scene;
}

}  // namespace showdata
