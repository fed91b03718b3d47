#pragma once
// Rotation controllers: a transform node's rotation as a matrix over time.
// The plain controller is the identity; the Euler controller turns by
// angles (degrees) from a keyframe handler, about Y, then X, then Z; the
// quaternion controller holds one fixed orientation. Owned by their node.
#include <memory>

#include "persist/persistent.h"
#include "render/matrix44.h"
#include "render/quaternion.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/nodes/transform_node.h"

struct TransformNode::RotationControler : public persistent {
  static constexpr const char storedName[] = "struct TransformNode::RotationControler";

  // Stores nothing.
  void serialize(persistent_store&, bool) override {}
  virtual Matrix44 matrix(float time) const;
  virtual bool isConstant() const { return true; }
};

class EulerAnglesRotationControler : public TransformNode::RotationControler {
 public:
  static constexpr const char storedName[] = "class EulerAnglesRotationControler";

  EulerAnglesRotationControler() = default;
  explicit EulerAnglesRotationControler(std::unique_ptr<TransformNode::KeyframeHandler> angles)
      : angles(std::move(angles)) {}

  // A reference to the angle handler.
  void serialize(persistent_store& store, bool writing) override;
  // RotationY(a.y) · RotationX(a.x) · RotationZ(a.z) for the angles a at
  // `time`; the identity while there is no handler.
  Matrix44 matrix(float time) const override;
  bool isConstant() const override { return angles == nullptr || angles->isConstant(); }

  std::unique_ptr<TransformNode::KeyframeHandler> angles;
};

class QuaternionRotationControler : public TransformNode::RotationControler {
 public:
  static constexpr const char storedName[] = "class QuaternionRotationControler";

  QuaternionRotationControler() = default;
  explicit QuaternionRotationControler(Quaternion orientation) : orientation(orientation) {}

  // The orientation: x, y, z, w.
  void serialize(persistent_store& store, bool writing) override;
  Matrix44 matrix(float) const override { return orientation.RotationMatrix(); }

  Quaternion orientation;
};
