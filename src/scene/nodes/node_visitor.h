#pragma once
// Walking a scene tree: depth first, a node before its children, children in
// chain order. A visitor's filter may skip a node (and, with verdict 2, its
// whole subtree); the render visitor culls subtrees whose world bounds lie
// outside the camera's clip volume.
#include <cstdint>
#include <vector>

#include "scene/nodes/scene_node.h"

class Camera;
class ClipVolume;
class RenderList;

namespace kst {

class NodeFilter {
 public:
  enum Verdict : int {
    kVisit = 1,         // enter, walk the children, leave
    kSkipSubtree = 2,   // neither the node nor anything below it
  };
  virtual ~NodeFilter() = default;
  // kVisit, kSkipSubtree, or any other value: do not visit the node but
  // still walk its children.
  virtual int classify(SceneNode& node) = 0;
};

class NodeVisitor {
 public:
  virtual ~NodeVisitor() = default;
  virtual void enter(SceneNode& node) = 0;
  // Whether to walk into the children of the node just entered.
  virtual bool descend() = 0;
  virtual void leave(SceneNode& node) = 0;
  virtual NodeFilter* filter() { return nullptr; }
};

}  // namespace kst

// Walks the sibling chain that starts at `firstNode` with its subtrees.
void traverse(SceneNode* firstNode, kst::NodeVisitor& visitor);

// Culls each node by its bounds and lets the visible renderable ones add
// their draw records. The bounds of a node hold those of its children, so a
// clip plane a node lies well inside of is not tested again below it (where
// a child's bounds do lie within its parent's, as every update leaves them);
// the render list tells a node the planes its own tests still need.
class RenderVisitor : public kst::NodeVisitor {
 public:
  RenderVisitor(Camera& camera, RenderList& renderList);

  // A node with empty bounds counts as visible.
  void enter(SceneNode& node) override;
  bool descend() override { return lastVisible; }
  void leave(SceneNode&) override;

  Camera& camera;
  RenderList& renderList;
  bool lastVisible = true;

 private:
  // Per entered node, outermost first: its bounds and the planes they cross.
  struct Entered {
    const persist::BoundingBox* bounds;
    std::uint32_t crossed;
  };
  std::vector<Entered> entered_;
  const ClipVolume& frustum_;  // the camera does not move during the walk
};
