#include "scene/nodes/node_visitor.h"

#include "render/camera.h"
#include "scene/render_list.h"

// The nodes entered and not yet left are kept on a stack of the walk's own:
// a tree read from a file may be nested far deeper than a thread's stack.
void traverse(SceneNode* firstNode, kst::NodeVisitor& visitor) {
  struct Open {
    SceneNode* node;
    bool entered;
  };
  std::vector<Open> open;
  SceneNode* node = firstNode;
  for (;;) {
    if (node == nullptr) {
      if (open.empty()) return;
      const Open above = open.back();
      open.pop_back();
      if (above.entered) visitor.leave(*above.node);
      node = above.node->nextSibling.get();
      continue;
    }
    kst::NodeFilter* filter = visitor.filter();
    const int verdict = filter == nullptr ? kst::NodeFilter::kVisit : filter->classify(*node);
    const bool entered = verdict == kst::NodeFilter::kVisit;
    if (entered) visitor.enter(*node);
    if (verdict != kst::NodeFilter::kSkipSubtree && visitor.descend() && node->firstChild != nullptr) {
      open.push_back({node, entered});
      node = node->firstChild.get();
      continue;
    }
    if (entered) visitor.leave(*node);
    node = node->nextSibling.get();
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
