#include "scene_facts.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/nodes/node_visitor.h"
#include "scene/nodes/shape_node.h"
#include "scene/scene.h"

namespace kstview {
namespace {

class EveryNode : public kst::NodeVisitor {
 public:
  explicit EveryNode(std::function<void(SceneNode&)> visit) : visit_(std::move(visit)) {}
  void enter(SceneNode& node) override { visit_(node); }
  bool descend() override { return true; }
  void leave(SceneNode&) override {}

 private:
  std::function<void(SceneNode&)> visit_;
};

void forEachNode(Scene& scene, std::function<void(SceneNode&)> visit) {
  EveryNode visitor(std::move(visit));
  traverse(scene.root.get(), visitor);
}

bool isShape(SceneNode& node) { return dynamic_cast<ShapeNode*>(&node) != nullptr; }

bool isPoint(const persist::BoundingBox& box) { return box.min == box.max; }

bool encloses(const persist::BoundingBox& outer, const persist::BoundingBox& inner) {
  for (std::size_t axis = 0; axis < 3; ++axis)
    if (inner.min[axis] < outer.min[axis] || outer.max[axis] < inner.max[axis]) return false;
  return true;
}

void growBy(persist::BoundingBox& box, const persist::BoundingBox& more) {
  if (more.empty) return;
  box.grow(more.min);
  box.grow(more.max);
}

// The twelve edges of the box, as pairs of corners (bit 0 x, 1 y, 2 z: max).
void boxEdges(const persist::BoundingBox& box) {
  const auto corner = [&box](int bits) {
    gl.glVertex3f((bits & 1) != 0 ? box.max[0] : box.min[0], (bits & 2) != 0 ? box.max[1] : box.min[1],
                  (bits & 4) != 0 ? box.max[2] : box.min[2]);
  };
  for (int from = 0; from < 8; ++from)
    for (int axis = 1; axis < 8; axis <<= 1)
      if ((from & axis) == 0) {
        corner(from);
        corner(from | axis);
      }
}

}  // namespace

NodeCounts countNodes(Scene& scene) {
  NodeCounts counts;
  forEachNode(scene, [&counts](SceneNode& node) {
    ++counts.nodes;
    if (isShape(node)) ++counts.shapes;
  });
  return counts;
}

VisibleBounds visibleBounds(Scene& scene) {
  std::vector<persist::BoundingBox> boxes;
  forEachNode(scene, [&boxes](SceneNode& node) {
    auto* shape = dynamic_cast<ShapeNode*>(&node);
    if (shape == nullptr || shape->mesh() == nullptr || shape->ownVolume.empty) return;
    const persist::BoundingBox box = shape->ownVolume.Enclosing();
    if (!isPoint(box)) boxes.push_back(box);
  });
  VisibleBounds bounds;
  for (const persist::BoundingBox& box : boxes) growBy(bounds.all, box);
  // Backdrops round backdrops go one after another, the outermost first.
  while (boxes.size() > 1) {
    const auto backdrop = std::ranges::find_if(boxes, [&boxes](const persist::BoundingBox& box) {
      return std::ranges::all_of(boxes, [&box](const persist::BoundingBox& other) { return encloses(box, other); });
    });
    if (backdrop == boxes.end()) break;
    boxes.erase(backdrop);
  }
  for (const persist::BoundingBox& box : boxes) growBy(bounds.framed, box);
  return bounds;
}

float clearSight(const Scene& scene) {
  if (!scene.fogEnabled || !(scene.fogEnd > 0.0f)) return 0.0f;
  return (std::clamp(scene.fogStart, 0.0f, scene.fogEnd) + scene.fogEnd) * 0.5f;
}

void drawNodeBoxes(Scene& scene, Camera& camera) {
  glStateCache.SetTextureMask(0);
  gl.glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  for (GLenum test : {GL_DEPTH_TEST, GL_LIGHTING, GL_FOG, GL_BLEND, GL_CULL_FACE}) gl.glDisable(test);
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera.ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);
  gl.glBegin(GL_LINES);
  forEachNode(scene, [](SceneNode& node) {
    if (node.bounds.empty) return;
    if (isShape(node))
      gl.glColor3f(1.0f, 0.9f, 0.2f);
    else
      gl.glColor3f(0.3f, 0.6f, 1.0f);
    boxEdges(node.bounds);
  });
  gl.glEnd();
  gl.glPopAttrib();
}

}  // namespace kstview
