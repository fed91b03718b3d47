#include "scene/nodes/camera_node.h"

#include "scene/nodes/scene_lists.h"
#include "scene/nodes/stored_vector.h"
#include "scene/scene.h"

namespace {

Camera defaultCamera() { return Camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 2500.0f, 1.5f, 1.125f); }

// The stored order: eye, target, up hint, near, far, half width, half height.
void exchangeCamera(persistent_store& store, bool writing, Camera& camera) {
  Vector3 points[3] = {camera.eye(), camera.target(), camera.upHint()};
  float sizes[4] = {camera.nearDistance(), camera.farDistance(), camera.halfWidth(), camera.halfHeight()};
  for (Vector3& point : points) exchangeVector(store, writing, point);
  for (float& size : sizes) store.exchange(writing, size);
  if (!writing) camera = Camera(points[0], points[1], points[2], sizes[0], sizes[1], sizes[2], sizes[3]);
}

}  // namespace

CameraNode::CameraNode() : CameraNode(nullptr) {}

CameraNode::CameraNode(Scene* scene) : CameraNode(defaultCamera(), scene) {}

CameraNode::CameraNode(const Camera& camera, Scene* scene) : camera(camera), reference(camera) { setScene(scene); }

void CameraNode::serialize(persistent_store& store, bool writing) {
  SceneNode::serialize(store, writing);
  exchangeCamera(store, writing, reference);
  if (writing) return;
  camera = reference;
  setScene(scene);
}

bool CameraNode::computeLocal(float, const Matrix44& parentMatrix, Matrix44&) {
  ownVolume.empty = true;
  camera.SetEye(parentMatrix.TransformPoint(reference.eye()));
  camera.SetTarget(parentMatrix.TransformPoint(reference.target()));
  camera.SetUp(parentMatrix.TransformDirection(reference.up()));
  return false;
}

void CameraNode::setScene(Scene* newScene) {
  SceneNode::setScene(newScene);
  if (scene != nullptr && !listed(scene->cameras, &camera)) scene->addCamera(&camera);
}
