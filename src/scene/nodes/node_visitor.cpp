#include "scene/nodes/node_visitor.h"

#include "render/camera.h"

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

void RenderVisitor::enter(SceneNode& node) {
  const persist::BoundingBox& box = node.bounds;
  const float corners[6] = {box.min[0], box.min[1], box.min[2], box.max[0], box.max[1], box.max[2]};
  lastVisible = box.empty || !camera.Frustum().IsBoxOutside(corners);
  if (!lastVisible) return;
  if (RenderableNode* renderable = node.asRenderable()) renderable->render(camera, renderList);
}
