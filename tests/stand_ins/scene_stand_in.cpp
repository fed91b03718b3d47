// TEMPORARY, for the merge: the least of Scene that lets the engine link
// while the scene's own implementation (src/scene/scene.cpp) is on another
// branch. Built into the engine only while that file is missing; delete
// this file and its block in the top-level CMakeLists.txt once it is in.
#include "scene/scene.h"

#include "render/camera.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/scene_node.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

Scene::Scene() = default;
Scene::~Scene() = default;
void Scene::serialize(persistent_store&, bool) {}
void Scene::addCamera(Camera* camera) { cameras.push_back(camera); }
void Scene::addLight(LightRecord* light) { lights.push_back(light); }
std::uint32_t Scene::addMesh(std::unique_ptr<Primitive> mesh) {
  meshes.push_back(std::move(mesh));
  return static_cast<std::uint32_t>(meshes.size() - 1);
}
void Scene::setPendingCamera(std::int32_t index) { pendingCamera = index; }
void Scene::update(float time) {
  if (root) root->update(time, Matrix44{});
}
void Scene::render() {}
void Scene::prepareAfterLoad(const char*) {}
Camera* Scene::currentCameraObject() const { return nullptr; }
