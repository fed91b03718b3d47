#pragma once
// A node that draws one mesh of its scene. Its own volume is the mesh's box
// placed by the matrix the mesh is drawn with (the node's matrix times its
// offset), so culling and drawing agree; at render time it marks which of
// the mesh's sub-meshes the camera can see and lets the mesh add its draw
// records.
#include <cstdint>

#include "scene/nodes/scene_node.h"

class Primitive;

class ShapeNode : public RenderableNode {
 public:
  static constexpr const char storedName[] = "class ShapeNode";

  ShapeNode() = default;
  explicit ShapeNode(Scene* scene) { setScene(scene); }

  // The renderable node body, then the mesh index as a varint (−1 as
  // 0xFFFFFFFF).
  void serialize(persistent_store& store, bool writing) override;

  // Static; no transform of its own.
  bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) override;
  // Nothing without a mesh or when the camera cannot see the own volume.
  void render(Camera& camera, RenderList& renderList) override;

  void setMeshIndex(std::int32_t index) {
    meshIndex = index;
    invalidate();
  }
  // Null for index −1, without a scene, and for an index the scene's mesh
  // list does not hold (out of range, or a hole left by a bad record).
  Primitive* mesh() const;

  std::int32_t meshIndex = -1;
};
