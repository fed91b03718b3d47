#include "scene_facts.h"

#include <functional>

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
