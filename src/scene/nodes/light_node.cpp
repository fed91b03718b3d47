#include "scene/nodes/light_node.h"

#include "scene/nodes/scene_lists.h"
#include "scene/nodes/stored_vector.h"
#include "scene/scene.h"

LightNode::LightNode(const LightRecord& description, Scene* scene)
    : light(description), localPosition(description.position) {
  setScene(scene);
}

void LightNode::serialize(persistent_store& store, bool writing) {
  SceneNode::serialize(store, writing);
  exchangeVector(store, writing, light.position);
  store.exchange(writing, light.color);
  exchangeVector(store, writing, light.attenuation);
  store.exchange(writing, light.enabled);
  exchangeVector(store, writing, localPosition);
  if (!writing) setScene(scene);
}

bool LightNode::computeLocal(float, const Matrix44& parentMatrix, Matrix44&) {
  ownVolume.empty = true;
  light.position = parentMatrix.TransformPoint(localPosition);
  light.target = parentMatrix.TransformPoint(localPosition + Vector3{0.0f, 0.0f, 1.0f});
  staticSubtree = true;
  return false;
}

void LightNode::setScene(Scene* newScene) {
  SceneNode::setScene(newScene);
  if (scene != nullptr && !listed(scene->lights, &light)) scene->addLight(&light);
}
