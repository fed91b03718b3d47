#include "sheet/scene_frames.h"

#include <stdexcept>

#include "lightwave/mesh_building.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_volumetric.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/scene.h"
#include "scene/scene_io.h"
#include "sheet/gl_canvas.h"

namespace showdata {
namespace {

void identityMatrices() {
  for (GLint mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glStateCache.SetMatrixMode(mode);
    gl.glLoadIdentity();
  }
}

// Every pixel gets the far depth and the scene's background colour.
void fillBackground(const Scene& scene) {
  identityMatrices();
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_ALWAYS);
  glStateCache.SetTextureMask(0);
  gl.glColor4f(scene.backgroundColor[0], scene.backgroundColor[1], scene.backgroundColor[2], 1.0f);
  gl.glBegin(GL_QUADS);
  gl.glVertex3f(-1.0f, -1.0f, 1.0f);
  gl.glVertex3f(-1.0f, 1.0f, 1.0f);
  gl.glVertex3f(1.0f, 1.0f, 1.0f);
  gl.glVertex3f(1.0f, -1.0f, 1.0f);
  gl.glEnd();
}

void frameState() {
  gl.glEnable(GL_CULL_FACE);
  gl.glCullFace(GL_BACK);
  gl.glFrontFace(GL_CW);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
}

void drawLightVolumes(Scene& scene, std::span<MeshPrimitive* const> volumes) {
  Camera* camera = scene.currentCameraObject();
  if (camera == nullptr) return;
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera->ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera->ViewMatrix().m);
  frameState();
  kst::Mat_Volumetric light;
  for (MeshPrimitive* volume : volumes)
    for (const MeshPrimitive::Chunk& chunk : volume->chunks) light.Render(*camera, *chunk.geometry);
}

}  // namespace

Raster sceneFrame(Scene& scene, int camera, float time, int width, int height, std::span<MeshPrimitive* const> lightVolumes) {
  gl.glViewport(0, 0, width, height);
  gl.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  gl.glDepthMask(GL_TRUE);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  fillBackground(scene);
  frameState();
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

std::unique_ptr<Scene> loadScene(const std::string& path) {
  std::unique_ptr<Scene> scene = readScene(path);
  if (scene == nullptr) throw std::runtime_error(path + ": holds no scene");
  scene->prepareAfterLoad(path.c_str());
  return scene;
}

}  // namespace showdata
