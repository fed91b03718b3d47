#include "scenes/scene_recipe.h"

namespace showdata {

NodeRecipe transformNode(std::string label, Vector3 position) {
  NodeRecipe node;
  node.label = std::move(label);
  node.position = position;
  return node;
}

NodeRecipe shapeNode(std::int32_t mesh) {
  NodeRecipe node;
  node.kind = NodeRecipe::Kind::Shape;
  node.mesh = mesh;
  return node;
}

NodeRecipe cameraNode(const CameraRecipe& camera) {
  NodeRecipe node;
  node.kind = NodeRecipe::Kind::Camera;
  node.camera = camera;
  return node;
}

NodeRecipe lightNode(Vector3 position, Colour colour) {
  NodeRecipe node;
  node.kind = NodeRecipe::Kind::Light;
  node.position = position;
  node.lightColour = colour;
  return node;
}

std::int32_t SceneRecipe::addTexture(TextureRecipe texture) {
  textures.push_back(std::move(texture));
  return static_cast<std::int32_t>(textures.size() - 1);
}

std::int32_t SceneRecipe::addSurface(SurfaceRecipe surface) {
  surfaces.push_back(std::move(surface));
  return static_cast<std::int32_t>(surfaces.size() - 1);
}

std::int32_t SceneRecipe::addMesh(SceneMesh mesh, int texCoordSets) {
  meshes.push_back({std::move(mesh), texCoordSets});
  return static_cast<std::int32_t>(meshes.size() - 1);
}

Envelope keyed(const std::vector<std::pair<float, float>>& keys, std::int32_t shape, std::int32_t behaviour) {
  Envelope envelope;
  for (const auto& [time, value] : keys) envelope.addKey(time, value, 0.0f, 0.0f, 0.0f).shape = shape;
  envelope.setBehaviors(behaviour);
  return envelope;
}

Envelope keyed(std::initializer_list<std::pair<float, float>> keys, std::int32_t shape, std::int32_t behaviour) {
  return keyed(std::vector<std::pair<float, float>>(keys), shape, behaviour);
}

Motion keyedVectors(const std::vector<std::pair<float, Vector3>>& keys, std::int32_t shape, std::int32_t behaviour) {
  Motion motion;
  for (int axis = 0; axis < 3; ++axis) {
    std::vector<std::pair<float, float>> channel;
    for (const auto& [time, value] : keys) channel.push_back({time, value[axis]});
    motion[static_cast<std::size_t>(axis)] = keyed(channel, shape, behaviour);
  }
  return motion;
}

}  // namespace showdata

namespace showdata {

void showDuring(NodeRecipe& node, float from, float until, float loop) {
  constexpr float kHiddenBelow = -100000.0f;
  std::vector<std::pair<float, Vector3>> scale, place;
  auto key = [&](float time, bool shown) {
    scale.push_back({time, shown ? Vector3{1.0f, 1.0f, 1.0f} : Vector3{}});
    place.push_back({time, shown ? node.position : node.position + Vector3{0.0f, kHiddenBelow, 0.0f}});
  };
  key(0.0f, from <= 0.0f);
  if (from > 0.0f) key(from, true);
  if (loop <= 0.0f || until < loop) key(until, false);
  if (loop > 0.0f) key(loop, until >= loop);
  const std::int32_t behaviour = loop > 0.0f ? kBehaviorRepeat : kBehaviorConstant;
  node.scaleKeys = keyedVectors(scale, kShapeStepped, behaviour);
  node.positionKeys = keyedVectors(place, kShapeStepped, behaviour);
}

}  // namespace showdata
