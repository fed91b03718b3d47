// The node tree: links and ownership, bounds and staticness bottom-up,
// the walk order, filters, and culling of whole subtrees.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "render/camera.h"
#include "scene/nodes/node_visitor.h"
#include "support/scene_stand_ins.h"

namespace {

using standin::Shape;
using standin::Transform;
using Strings = std::vector<std::string>;

std::vector<SceneNode*> chain(const SceneNode& parent) {
  std::vector<SceneNode*> nodes;
  for (SceneNode* n = parent.firstChild.get(); n != nullptr; n = n->nextSibling.get()) nodes.push_back(n);
  return nodes;
}

TEST(SceneGraph, ChildrenArePrependedAndDetachHandsOwnershipBack) {
  Transform parent;
  auto& first = standin::attach(std::make_unique<Shape>(), parent);
  auto& second = standin::attach(std::make_unique<Shape>(), parent);
  first.bounds = standin::box({1, 2, 3}, {2, 3, 4});
  auto thirdNode = std::make_unique<Shape>();
  thirdNode->bounds = standin::box({-5, 0, 0}, {-4, 1, 1});
  auto& third = standin::attach(std::move(thirdNode), parent);
  EXPECT_EQ(chain(parent), (std::vector<SceneNode*>{&third, &second, &first}));
  EXPECT_EQ(second.parent, &parent);
  EXPECT_EQ(parent.bounds, standin::box({-5, 0, 0}, {-4, 1, 1}));  // grown by the attached node only

  std::unique_ptr<SceneNode> taken = second.detach();
  EXPECT_EQ(taken.get(), &second);
  EXPECT_EQ(second.parent, nullptr);
  EXPECT_EQ(second.nextSibling, nullptr);
  EXPECT_EQ(chain(parent), (std::vector<SceneNode*>{&third, &first}));
  EXPECT_EQ(third.detach().get(), &third);  // the first child
  EXPECT_EQ(chain(parent), std::vector<SceneNode*>{&first});
  EXPECT_EQ(taken->detach(), nullptr);  // already detached

  // A parent link that the parent's chain does not back (a damaged file).
  Shape stray;
  stray.parent = &parent;
  EXPECT_EQ(stray.detach(), nullptr);
  EXPECT_EQ(chain(parent), std::vector<SceneNode*>{&first});
}

// A node still in a chain moves to the new parent alone: its later
// siblings stay, and each node has one owner (the sanitizer build sees a
// second one at destruction).
TEST(SceneGraph, AttachingALinkedNodeMovesItAlone) {
  Transform from, to;
  auto& first = standin::attach(std::make_unique<Shape>(), from);
  auto& second = standin::attach(std::make_unique<Shape>(), from);
  auto& third = standin::attach(std::make_unique<Shape>(), from);
  auto& kept = standin::attach(std::make_unique<Shape>(), to);
  second.attachTo(&to);
  EXPECT_EQ(chain(from), (std::vector<SceneNode*>{&third, &first}));
  EXPECT_EQ(chain(to), (std::vector<SceneNode*>{&second, &kept}));
  EXPECT_EQ(second.parent, &to);
  third.attachTo(&to);  // the first child moves too
  EXPECT_EQ(chain(from), std::vector<SceneNode*>{&first});
  EXPECT_EQ(chain(to), (std::vector<SceneNode*>{&third, &second, &kept}));
  // A parent link its parent's chain does not back: nobody knows the owner.
  Shape stray;
  stray.parent = &from;
  EXPECT_THROW(stray.attachTo(&to), std::logic_error);
  EXPECT_EQ(chain(to).size(), 3u);
}

// root (at x+10) > middle (at y+100, animated or not) > two boxes; root also
// has a box beside the middle node.
struct ThreeLevels {
  explicit ThreeLevels(bool animated) {
    root.local = standin::translation(10, 0, 0);
    auto& side = standin::attach(std::make_unique<Shape>(), root);
    side.box = standin::box({0, 0, 0}, {1, 1, 1});
    auto middleNode = std::make_unique<Transform>();
    middleNode->local = standin::translation(0, 100, 0);
    middleNode->animated = animated;
    middle = &standin::attach(std::move(middleNode), root);
    standin::attach(std::make_unique<Shape>(), *middle).box = standin::box({-1, -1, -1}, {1, 1, 1});
    standin::attach(std::make_unique<Shape>(), *middle).box = standin::box({0, 0, 5}, {2, 3, 6});
    root.update(0.0f, Matrix44{});
  }
  Transform root;
  Transform* middle;
};

TEST(SceneGraph, BoundsAndStaticnessAreMergedBottomUp) {
  ThreeLevels tree(false);
  // Middle's boxes, moved by (10, 100, 0): x -1..2, y -1..3, z -1..6.
  EXPECT_EQ(tree.middle->bounds, standin::box({9, 99, -1}, {12, 103, 6}));
  // The root adds its side box at (10, 0, 0).
  EXPECT_EQ(tree.root.bounds, standin::box({9, 0, -1}, {12, 103, 6}));
  EXPECT_TRUE(tree.root.staticSubtree);
  EXPECT_EQ(tree.middle->firstChild->worldMatrix.m[13], 100.0f);

  ThreeLevels animated(true);
  EXPECT_FALSE(animated.middle->staticSubtree);
  EXPECT_FALSE(animated.root.staticSubtree);
  EXPECT_TRUE(animated.middle->firstChild->staticSubtree);
}

class Recorder : public kst::NodeVisitor, public kst::NodeFilter {
 public:
  void enter(SceneNode& node) override { log.push_back("enter " + name(node)); }
  bool descend() override { return true; }
  void leave(SceneNode& node) override { log.push_back("leave " + name(node)); }
  kst::NodeFilter* filter() override { return this; }
  int classify(SceneNode& node) override { return &node == filtered ? verdict : kVisit; }

  std::string name(const SceneNode& node) const { return std::string(1, static_cast<char>('A' + node.offsetMatrix.m[12])); }

  Strings log;
  SceneNode* filtered = nullptr;
  int verdict = kVisit;
};

// A (B (D, E), C), each node named by its offset's x translation.
struct SmallTree {
  SmallTree() {
    a.offsetMatrix.m[12] = 0;
    c = &standin::attach(named(2), a);
    b = &standin::attach(named(1), a);
    standin::attach(named(4), *b);
    standin::attach(named(3), *b);
  }
  static std::unique_ptr<Shape> named(int letter) {
    auto node = std::make_unique<Shape>();
    node->offsetMatrix.m[12] = static_cast<float>(letter);
    return node;
  }
  Shape a;
  SceneNode* b;
  SceneNode* c;
};

TEST(SceneGraph, WalkIsDepthFirstAndFiltersSkipNodeOrSubtree) {
  SmallTree tree;
  Recorder all;
  traverse(&tree.a, all);
  EXPECT_EQ(all.log, (Strings{"enter A", "enter B", "enter D", "leave D", "enter E", "leave E", "leave B", "enter C",
                              "leave C", "leave A"}));
  Recorder subtree;
  subtree.filtered = tree.b;
  subtree.verdict = kst::NodeFilter::kSkipSubtree;
  traverse(&tree.a, subtree);
  EXPECT_EQ(subtree.log, (Strings{"enter A", "enter C", "leave C", "leave A"}));
  Recorder nodeOnly;
  nodeOnly.filtered = tree.b;
  nodeOnly.verdict = 0;
  traverse(&tree.a, nodeOnly);
  EXPECT_EQ(nodeOnly.log,
            (Strings{"enter A", "enter D", "leave D", "enter E", "leave E", "enter C", "leave C", "leave A"}));
}

class EnteredNodes : public RenderVisitor {
 public:
  using RenderVisitor::RenderVisitor;
  void enter(SceneNode& node) override {
    entered.push_back(&node);
    RenderVisitor::enter(node);
  }
  std::vector<SceneNode*> entered;
};

TEST(SceneGraph, CullingDropsWholeSubtreesAndKeepsEmptyBounds) {
  // The camera looks along +z from the origin. One group lies behind it,
  // one in front; a shape with no box has empty bounds.
  Transform root;
  auto& behind = standin::attach(std::make_unique<Transform>(), root);
  behind.local = standin::translation(0, 0, -50);
  auto& hidden1 = standin::attach(std::make_unique<Shape>(), behind);
  hidden1.box = standin::box({-1, -1, -1}, {1, 1, 1});
  auto& hidden2 = standin::attach(std::make_unique<Shape>(), behind);
  hidden2.box = standin::box({-1, -1, -1}, {1, 1, 1});
  auto& front = standin::attach(std::make_unique<Shape>(), root);
  front.box = standin::box({-1, -1, 9}, {1, 1, 11});
  auto& boxless = standin::attach(std::make_unique<Shape>(), root);
  root.update(0.0f, Matrix44{});

  Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 1.0f, 1.0f);
  RenderList list(1);
  EnteredNodes visitor(camera, list);
  traverse(&root, visitor);
  EXPECT_EQ(visitor.entered, (std::vector<SceneNode*>{&root, &boxless, &front, &behind}));
  EXPECT_EQ(boxless.renders, 1);
  EXPECT_EQ(front.renders, 1);
  EXPECT_EQ(hidden1.renders + hidden2.renders, 0);
  EXPECT_EQ(list.bucket(0).size(), 2u);
}

// Below a node found well inside some clip planes only the others are
// tested: a turned box whose bounds cross the right side of the view while
// the box itself lies beyond it still adds nothing.
TEST(SceneGraph, ABoxBeyondThePlaneItsBoundsCrossIsNotDrawn) {
  // The camera sees x <= z on its right. The box is 10 long along the
  // plane, 0.2 thick across it, its centre 1.41 beyond it.
  Transform root;
  auto& turned = standin::attach(std::make_unique<Transform>(), root);
  turned.local = Multiply(standin::translation(12, 0, 10), Matrix44{}.RotationY(45.0f));
  auto& thin = standin::attach(std::make_unique<Shape>(), turned);
  thin.box = standin::box({-5, -1, -0.1f}, {5, 1, 0.1f});
  auto& near = standin::attach(std::make_unique<Shape>(), root);
  near.box = standin::box({-1, -1, 9}, {1, 1, 11});
  root.update(0.0f, Matrix44{});

  Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 1.0f, 1.0f);
  RenderList list(1);
  RenderVisitor visitor(camera, list);
  traverse(&root, visitor);
  EXPECT_EQ(thin.renders, 1);  // its bounds are in sight
  ASSERT_EQ(list.bucket(0).size(), 1u);
  EXPECT_EQ(list.bucket(0)[0].worldMatrix, &near.worldMatrix);  // the near one, not the thin one
}

// A node attached after the update grows its parent's bounds only: the
// nodes above may not hold it, so it is tested against every plane.
TEST(SceneGraph, ANodeAttachedSinceTheUpdateIsStillCulled) {
  Transform root;
  auto& group = standin::attach(std::make_unique<Transform>(), root);
  standin::attach(std::make_unique<Shape>(), group).box = standin::box({-1, -1, 9}, {1, 1, 11});
  root.update(0.0f, Matrix44{});
  Transform aside;  // places the late shape off to the right, x 49..51
  aside.local = standin::translation(50, 0, 10);
  auto& late = standin::attach(std::make_unique<Shape>(), aside);
  late.box = standin::box({-1, -1, -1}, {1, 1, 1});
  aside.update(0.0f, Matrix44{});
  attachNode(late.detach(), group);

  Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 1.0f, 1.0f);
  RenderList list(1);
  EnteredNodes visitor(camera, list);
  traverse(&root, visitor);
  EXPECT_EQ(late.renders, 0);
  EXPECT_EQ(visitor.entered.size(), 4u);  // the root, the group and both shapes
  EXPECT_EQ(list.bucket(0).size(), 1u);
}

}  // namespace
