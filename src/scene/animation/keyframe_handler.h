#pragma once
// Keyframe handlers: a vector of three floats as a function of time, for a
// transform node's position and scale and an Euler controller's angles.
// Owned by the node (or controller) that uses them; evaluated at every
// update on the main thread.
#include "persist/persistent.h"
#include "render/vector3.h"
#include "scene/envelope.h"
#include "scene/nodes/transform_node.h"

class TransformNode::KeyframeHandler : public persistent {
 public:
  ~KeyframeHandler() override = default;
  virtual Vector3 evaluate(float time) const = 0;
  // True when evaluate gives the same value at every time.
  virtual bool isConstant() const = 0;
};

class ConstantKeyframeHandler : public TransformNode::KeyframeHandler {
 public:
  static constexpr const char storedName[] = "class ConstantKeyframeHandler";

  ConstantKeyframeHandler() = default;
  explicit ConstantKeyframeHandler(Vector3 value) : value(value) {}

  // The value (3 floats).
  void serialize(persistent_store& store, bool writing) override;
  Vector3 evaluate(float) const override { return value; }
  bool isConstant() const override { return true; }

  Vector3 value;
};

// Three LightWave 6 motion channels, one per axis.
class LW6KeyframeHandler : public TransformNode::KeyframeHandler {
 public:
  static constexpr const char storedName[] = "class LW6KeyframeHandler";

  // x, y, z in turn: key count, 40 bytes per key, the two behaviours.
  void serialize(persistent_store& store, bool writing) override;
  Vector3 evaluate(float time) const override;
  bool isConstant() const override { return false; }

  Envelope x;
  Envelope y;
  Envelope z;
};
