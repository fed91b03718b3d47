#pragma once
// One of a scene's cameras at its place in the node tree. `reference` is the
// camera as set up in the node's own frame; `camera` is the working copy,
// moved into world space at every update and listed with the scene (which
// draws through it but never owns it; the entry is valid as long as the node
// lives).
#include "render/camera.h"
#include "scene/nodes/scene_node.h"

class CameraNode : public SceneNode {
 public:
  static constexpr const char storedName[] = "class CameraNode";

  // At the origin looking at (0, 0, 1), up (0, 1, 0), near 1, far 2500,
  // half width 1.5, half height 1.125.
  CameraNode();
  explicit CameraNode(Scene* scene);
  // `camera` is the reference; the working camera starts as its copy.
  CameraNode(const Camera& camera, Scene* scene);

  // The node links, then the reference camera: eye, target, up hint, near,
  // far, half width, half height. Reading copies it into the working
  // camera and lists that with the scene read.
  void serialize(persistent_store& store, bool writing) override;

  // The working camera's eye and target are the reference's moved by the
  // parent matrix as points, its up hint the reference's up moved as a
  // direction. No transform of its own.
  bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) override;
  void setScene(Scene* scene) override;
  const Camera* listedCamera() const override { return &camera; }

  Camera camera;
  Camera reference;
};
