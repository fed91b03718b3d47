#include "scene/nodes/node_visitor.h"

#include "render/camera.h"
#include "scene/render_list.h"

void traverse(SceneNode* firstNode, kst::NodeVisitor& visitor) {
  for (SceneNode* node = firstNode; node != nullptr; node = node->nextSibling.get()) {
    kst::NodeFilter* filter = visitor.filter();
    const int verdict = filter == nullptr ? kst::NodeFilter::kVisit : filter->classify(*node);
    if (verdict == kst::NodeFilter::kVisit) visitor.enter(*node);
    if (verdict != kst::NodeFilter::kSkipSubtree && visitor.descend() && node->firstChild != nullptr)
      traverse(node->firstChild.get(), visitor);
    if (verdict == kst::NodeFilter::kVisit) visitor.leave(*node);
  }
}

namespace {

bool within(const persist::BoundingBox& inner, const persist::BoundingBox& outer) {
  if (inner.empty || outer.empty) return false;
  for (int axis = 0; axis < 3; ++axis)
    if (!(inner.min[axis] >= outer.min[axis] && inner.max[axis] <= outer.max[axis])) return false;
  return true;
}

}  // namespace

RenderVisitor::RenderVisitor(Camera& camera, RenderList& renderList)
    : camera(camera), renderList(renderList), frustum_(camera.Frustum()) {
  entered_.reserve(32);
}

void RenderVisitor::enter(SceneNode& node) {
  const persist::BoundingBox& box = node.bounds;
  // Only planes the enclosing node crosses can cut a box within its bounds.
  std::uint32_t planes = ConvexVolume::kAllPlanes;
  if (!entered_.empty() && within(box, *entered_.back().bounds)) planes = entered_.back().crossed;
  std::uint32_t crossed = ConvexVolume::kAllPlanes;
  if (!box.empty) {
    const float corners[6] = {box.min[0], box.min[1], box.min[2], box.max[0], box.max[1], box.max[2]};
    lastVisible = !frustum_.IsBoxOutside(corners, planes, crossed);
  } else {
    lastVisible = true;
  }
  entered_.push_back({&box, crossed});
  if (!lastVisible) return;
  RenderableNode* renderable = node.asRenderable();
  if (renderable == nullptr) return;
  renderList.setOpenPlanes(crossed);
  renderable->render(camera, renderList);
  renderList.setOpenPlanes(ConvexVolume::kAllPlanes);
}

// A visitor of another kind may leave nodes it did not let this one enter:
// the planes of an outer node are still only used for boxes within it.
void RenderVisitor::leave(SceneNode&) {
  if (!entered_.empty()) entered_.pop_back();
}
