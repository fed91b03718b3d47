#pragma once
// The node that places its children: a position, a rotation and a scale,
// each animated over time, optionally about a pivot point. Position and
// scale come from keyframe handlers, the rotation from a rotation
// controller (src/scene/animation/); the node owns all three and evaluates
// them afresh at every update, caching nothing between frames.
#include <cstdint>
#include <memory>

#include "render/matrix44.h"
#include "render/vector3.h"
#include "scene/nodes/scene_node.h"

class TransformNode : public SceneNode {
 public:
  static constexpr const char storedName[] = "class TransformNode";

  class KeyframeHandler;
  struct RotationControler;

  // Identity rotation, scale (1, 1, 1), position (0, 0, 0), no pivot.
  TransformNode();
  ~TransformNode() override;

  // The node links, the pivot, the tag, then the rotation, scale and
  // position as records of their own (no reference tags). A record of the
  // wrong class leaves the default in place.
  void serialize(persistent_store& store, bool writing) override;

  // Writes parentMatrix · localMatrix(time) to `out`; the node is static
  // when all three parts are constant. Always true.
  bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) override;

  // Translation(p) · R · Scaling(s), followed by Translation(−pivot) when
  // the node has a pivot.
  Matrix44 localMatrix(float time) const;

  // Each setter deletes what it replaces; null is ignored (the node always
  // has all three parts).
  void setRotation(std::unique_ptr<RotationControler> controller);
  void setScale(std::unique_ptr<KeyframeHandler> handler);
  void setPosition(std::unique_ptr<KeyframeHandler> handler);
  void setPivot(Vector3 point);

  std::uint32_t tag = 0;  // stored and loaded; the engine gives it no meaning
  std::unique_ptr<RotationControler> rotation;
  std::unique_ptr<KeyframeHandler> scale;
  std::unique_ptr<KeyframeHandler> position;
  Vector3 pivot;
  bool hasPivot = false;
};
