#pragma once
// A bone of a skeleton. A bone read from a scene file carries only the node
// links: it passes its parent's matrix on to its children and adds no
// volume.
#include "scene/nodes/scene_node.h"

class BoneNode : public SceneNode {
 public:
  static constexpr const char storedName[] = "class BoneNode";

  BoneNode() = default;
  explicit BoneNode(Scene* scene) { setScene(scene); }

  // Static; no transform of its own.
  bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) override;
};
