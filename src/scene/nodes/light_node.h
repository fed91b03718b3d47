#pragma once
// A light of a scene at its place in the node tree. The node keeps the
// light's description in world space, recomputed at every update from the
// node's local position and the matrix of its parent, and lists it with its
// scene for the layer that sets up the GL lights. The scene never owns it;
// the entry is valid as long as the node lives, which in a scene is until
// the scene deletes its tree.
#include "persist/stored_values.h"
#include "render/vector3.h"
#include "scene/nodes/scene_node.h"

struct LightRecord {
  persist::Colour color{1.0f, 1.0f, 1.0f, 1.0f};  // colour × intensity, alpha 1
  Vector3 attenuation{1.0f, 0.0f, 0.0f};           // constant, linear, quadratic
  float spotCutoff = 180.0f;                       // degrees; 180 is a point light
  bool lensFlare = false;
  bool directional = false;
  Vector3 position;  // world space after each update
  Vector3 target;    // world space after each update; the light looks toward it
  bool enabled = true;  // stored with the light; nothing here reads it
};

class LightNode : public SceneNode {
 public:
  static constexpr const char storedName[] = "class LightNode";

  LightNode() = default;
  // Copies the description (its position becomes the local position) and
  // lists it with `scene` when there is one.
  LightNode(const LightRecord& description, Scene* scene);

  // The node links, then position, colour, attenuation, enabled and the
  // local position; what is not stored keeps its default. Reading lists the
  // light with the scene read.
  void serialize(persistent_store& store, bool writing) override;

  // Position = parent matrix · local position, target = parent matrix ·
  // (local position + (0, 0, 1)). Static; no transform of its own.
  bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) override;
  void setScene(Scene* scene) override;
  const LightRecord* listedLight() const override { return &light; }

  LightRecord light;
  Vector3 localPosition;
};
