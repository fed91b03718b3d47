// Static subtrees the update passes over: whatever changes what a node is
// computed from (its parent's matrix, a setter, a node attached or
// detached, the scene's meshes, a part of the tree updated alone) still
// reaches it at the next update, which leaves the tree as one built afresh
// in its new state.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "support/scene_stand_ins.h"

namespace {

// A mesh that is only a box from −size to size on every axis.
class BoxMesh : public Primitive {
 public:
  explicit BoxMesh(float size) { box = standin::box({-size, -size, -size}, {size, size, size}); }
  void render(Camera&, const Matrix44&, RenderList&, std::int32_t) override {}
};

std::unique_ptr<ConstantKeyframeHandler> constant(Vector3 value) {
  return std::make_unique<ConstantKeyframeHandler>(value);
}

// x from 0 at time 0 to 10 at time 1.
std::unique_ptr<LW6KeyframeHandler> sliding() {
  auto handler = std::make_unique<LW6KeyframeHandler>();
  handler->x.addKey(0, 0, 0, 0, 0);
  handler->x.addKey(1, 10, 0, 0, 0);
  return handler;
}

// root > group (at y 10) > two boxes and a shape of mesh 0;
// root > second group (at y −10, sliding along x when `moving`) > a box.
struct Tree {
  explicit Tree(bool moving = false) {
    scene.addMesh(std::make_unique<BoxMesh>(1));
    scene.addMesh(std::make_unique<BoxMesh>(3));
    spare.addMesh(std::make_unique<BoxMesh>(5));
    scene.root = std::make_unique<TransformNode>();
    second = &standin::attach(std::make_unique<TransformNode>(), *scene.root);
    second->setPosition(moving ? std::unique_ptr<TransformNode::KeyframeHandler>(sliding()) : constant({0, -10, 0}));
    boxIn(*second, 2);
    group = &standin::attach(std::make_unique<TransformNode>(), *scene.root);
    group->setPosition(constant({0, 10, 0}));
    boxIn(*group, 1).offsetMatrix = standin::translation(3, 0, 0);
    boxIn(*group, 1);
    shape = &standin::attach(std::make_unique<ShapeNode>(&scene), *group);
    shape->setMeshIndex(0);
  }

  static standin::Shape& boxIn(SceneNode& parent, float size) {
    auto& made = standin::attach(std::make_unique<standin::Shape>(), parent);
    made.box = standin::box({-size, -size, -size}, {size, size, size});
    return made;
  }

  void update() { scene.update(time); }

  // Every node's world matrix and bounds, depth first.
  std::vector<float> placement() const {
    std::vector<float> values;
    collect(*scene.root, values);
    return values;
  }
  static void collect(const SceneNode& node, std::vector<float>& values) {
    values.insert(values.end(), std::begin(node.worldMatrix.m), std::end(node.worldMatrix.m));
    values.push_back(node.bounds.empty ? 1.0f : 0.0f);
    values.insert(values.end(), node.bounds.min.begin(), node.bounds.min.end());
    values.insert(values.end(), node.bounds.max.begin(), node.bounds.max.end());
    for (const SceneNode* child = node.firstChild.get(); child != nullptr; child = child->nextSibling.get())
      collect(*child, values);
  }

  Scene spare;  // outlives the tree's nodes
  Scene scene;
  TransformNode* second;
  TransformNode* group;
  ShapeNode* shape;
  std::unique_ptr<SceneNode> taken;
  float time = 0.0f;
};

struct Change {
  std::string name;
  std::function<void(Tree&)> apply;
  bool moving = false;
};

TEST(SettledSubtrees, EveryChangeReachesTheNextUpdate) {
  const std::vector<Change> changes{
      {"the parent moves", [](Tree& t) { t.time = 0.5f; }, true},
      {"position set", [](Tree& t) { t.group->setPosition(constant({5, 5, 5})); }},
      {"scale set", [](Tree& t) { t.group->setScale(constant({2, 2, 2})); }},
      {"rotation set",
       [](Tree& t) {
         t.group->setRotation(std::make_unique<EulerAnglesRotationControler>(constant({0, 90, 0})));
       }},
      {"pivot set", [](Tree& t) { t.group->setPivot({1, 0, 0}); }},
      {"offset written, then invalidated",
       [](Tree& t) {
         t.shape->offsetMatrix = standin::translation(0, 0, 4);
         t.shape->invalidate();
       }},
      {"mesh index set", [](Tree& t) { t.shape->setMeshIndex(1); }},
      {"scene set", [](Tree& t) { t.shape->setScene(&t.spare); }},
      {"mesh replaced", [](Tree& t) { t.scene.meshes[0] = std::make_unique<BoxMesh>(2); }},
      {"mesh box changed", [](Tree& t) { t.scene.meshes[0]->box = standin::box({0, 0, 0}, {4, 4, 4}); }},
      {"node attached", [](Tree& t) { Tree::boxIn(*t.group, 7); }},
      {"node detached", [](Tree& t) { t.taken = t.second->detach(); }},
  };
  for (const Change& change : changes) {
    Tree settled(change.moving);
    settled.update();
    settled.update();
    change.apply(settled);
    settled.update();
    Tree fresh(change.moving);
    change.apply(fresh);
    fresh.update();
    EXPECT_EQ(settled.placement(), fresh.placement()) << change.name;
    Tree unchanged(change.moving);
    unchanged.update();
    EXPECT_NE(fresh.placement(), unchanged.placement()) << change.name << " changes nothing";
  }
}

TEST(SettledSubtrees, APartUpdatedAloneIsPlacedAgainByTheWholeTree) {
  Tree tree;
  tree.update();
  const std::vector<float> placed = tree.placement();
  tree.update();
  tree.group->firstChild->update(0.0f, standin::translation(100, 0, 0));
  EXPECT_NE(tree.placement(), placed);
  tree.update();
  EXPECT_EQ(tree.placement(), placed);
}

}  // namespace
