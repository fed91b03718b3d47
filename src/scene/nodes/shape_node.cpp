#include "scene/nodes/shape_node.h"

#include "persist/persistent_store.h"
#include "render/camera.h"
#include "scene/mesh/primitive.h"
#include "scene/render_list.h"
#include "scene/scene.h"

namespace {

constexpr std::int32_t kNoFogDraw = 0x8;

bool outside(Camera& camera, const OrientedBox& box, std::uint32_t planes = ConvexVolume::kAllPlanes) {
  return camera.Frustum().IsOrientedBoxOutside(box, planes);
}

}  // namespace

void ShapeNode::serialize(persistent_store& store, bool writing) {
  RenderableNode::serialize(store, writing);
  store.exchangeVarint(writing, meshIndex);
}

bool ShapeNode::computeLocal(float, const Matrix44& parentMatrix, Matrix44&) {
  const Primitive* shape = mesh();
  // The node has no transform of its own: it is drawn with the parent's
  // matrix times its offset, and its volume must be placed the same way.
  ownVolume = shape != nullptr ? OrientedBox::FromBox(shape->box, Multiply(parentMatrix, offsetMatrix)) : OrientedBox{};
  staticSubtree = true;
  return false;
}

void ShapeNode::render(Camera& camera, RenderList& renderList) {
  Primitive* shape = mesh();
  // The own volume lies within the node's bounds.
  if (shape == nullptr || ownVolume.empty || outside(camera, ownVolume, renderList.openPlanes())) return;
  for (Primitive::SubMesh& subMesh : shape->subMeshes)
    subMesh.visible = !subMesh.box.empty && !outside(camera, OrientedBox::FromBox(subMesh.box, worldMatrix));
  shape->render(camera, worldMatrix, renderList, (renderFlags & kNoFog) != 0 ? kNoFogDraw : 0);
}

// The scene warns once about an index it does not hold.
Primitive* ShapeNode::mesh() const { return scene != nullptr ? scene->meshAt(meshIndex) : nullptr; }
