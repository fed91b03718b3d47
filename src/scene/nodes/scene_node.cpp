#include "scene/nodes/scene_node.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include "persist/persistent_store.h"
#include "scene/nodes/tree_walk.h"
#include "scene/render_list.h"
#include "scene/scene.h"

namespace {

void grow(persist::BoundingBox& box, const persist::BoundingBox& other) {
  if (other.empty) return;
  box.grow(other.min);
  box.grow(other.max);
}

void exchangeMatrix(persistent_store& store, bool writing, Matrix44& matrix) {
  persist::Matrix16 values;
  if (writing) std::memcpy(values.data(), matrix.m, sizeof matrix.m);
  store.exchange(writing, values);
  if (!writing) std::memcpy(matrix.m, values.data(), sizeof matrix.m);
}

}  // namespace

SceneNode::SceneNode() = default;

// The owning links form a binary tree (first child on one side, next
// sibling on the other). Each turn either frees a node with no links left or
// rotates its first child up in its place, so the whole tree goes in a loop
// with no stack and no allocation, however deep or long it is.
SceneNode::~SceneNode() {
  for (std::unique_ptr<SceneNode>* link : {&firstChild, &nextSibling}) {
    std::unique_ptr<SceneNode> top = std::move(*link);
    while (top != nullptr) {
      if (top->firstChild == nullptr) {
        top = std::move(top->nextSibling);
        continue;
      }
      std::unique_ptr<SceneNode> child = std::move(top->firstChild);
      top->firstChild = std::move(child->nextSibling);
      child->nextSibling = std::move(top);
      top = std::move(child);
    }
  }
}

void SceneNode::serialize(persistent_store& store, bool writing) {
  store.exchangeReference(writing, scene);
  store.exchangeOwned(writing, firstChild);
  store.exchangeOwned(writing, nextSibling);
  store.exchangeReference(writing, parent);
  exchangeMatrix(store, writing, offsetMatrix);
  // Read afresh; the nodes above are being read too.
  if (!writing) settled_ = Settled::No;
}

void SceneNode::update(float time, const Matrix44& parentMatrix) {
  if (parent != nullptr) parent->invalidate();
  updateChain(time, parentMatrix);
}

// Depth first with a stack of its own, one entry per level whose children
// are being updated: trees read from files may be nested far deeper than
// the calling thread's stack holds.
void SceneNode::updateChain(float time, const Matrix44& parentMatrix) {
  struct Open {
    SceneNode* node;
    const Matrix44* parentMatrix;
  };
  std::vector<Open> open;
  SceneNode* node = this;
  const Matrix44* parent = &parentMatrix;
  for (;;) {
    while (node != nullptr) {
      // Bit for bit: the same bits in give the same bits out.
      if (node->settled() && std::memcmp(node->settledParent_.m, parent->m, sizeof parent->m) == 0) {
        node->settled_ = Settled::PassedOver;
      } else if (node->computeOwn(time, *parent)) {
        open.push_back({node, parent});
        parent = &node->nodeMatrix;
        node = node->firstChild.get();
        continue;
      } else {
        node->settle(*parent);
      }
      node = node->nextSibling.get();
    }
    if (open.empty()) return;
    node = open.back().node;
    parent = open.back().parentMatrix;
    open.pop_back();
    node->gatherChildren();
    node->settle(*parent);
    node = node->nextSibling.get();
  }
}

bool SceneNode::computeOwn(float time, const Matrix44& parentMatrix) {
  Matrix44 local;
  const bool own = computeLocal(time, parentMatrix, local);
  nodeMatrix = own ? local : parentMatrix;
  worldMatrix = Multiply(nodeMatrix, offsetMatrix);
  cache.reset();
  keptDraws.reset();
  bounds = ownVolume.Enclosing();
  return firstChild != nullptr;
}

void SceneNode::gatherChildren() {
  for (SceneNode* child = firstChild.get(); child != nullptr; child = child->nextSibling.get()) {
    grow(bounds, child->bounds);
    staticSubtree = staticSubtree && child->staticSubtree;
  }
}

void SceneNode::settle(const Matrix44& parentMatrix) {
  settled_ = staticSubtree ? Settled::Computed : Settled::No;
  if (staticSubtree) settledParent_ = parentMatrix;
}

// Stops at the first node that is not settled: nothing above it is either
// (which also ends the walk on a loop of parent links from a damaged file).
void SceneNode::invalidate() {
  for (SceneNode* node = this; node != nullptr && node->settled(); node = node->parent) node->settled_ = Settled::No;
}

void SceneNode::invalidateTree() {
  forEachNode(this, [](SceneNode& node, std::size_t) { node.settled_ = Settled::No; });
}

void SceneNode::attachTo(SceneNode* newParent) {
  if (newParent == nullptr) throw std::invalid_argument("a scene node cannot be attached to no parent");
  // A node still in a chain moves: its parent's chain lets it go (with its
  // later siblings staying there) before the new parent takes it.
  if (parent != nullptr && detach().release() == nullptr)
    throw std::logic_error("a scene node whose parent does not hold it cannot be attached elsewhere");
  nextSibling.reset();
  parent = newParent;
  nextSibling = std::move(newParent->firstChild);
  newParent->firstChild.reset(this);
  grow(newParent->bounds, bounds);
  newParent->invalidate();  // one more child to place and hold
}

std::unique_ptr<SceneNode> SceneNode::detach() {
  // A node without a parent is already its caller's.
  if (parent == nullptr) return nullptr;
  std::unique_ptr<SceneNode>* link = &parent->firstChild;
  while (*link != nullptr && link->get() != this) link = &(*link)->nextSibling;
  // A parent link read from a damaged file may name a node whose chain does
  // not hold this one: whoever owns the node keeps it.
  if (*link == nullptr) {
    parent = nullptr;
    return nullptr;
  }
  std::unique_ptr<SceneNode> self = std::move(*link);
  *link = std::move(nextSibling);
  parent->invalidate();  // its bounds lose this node's
  parent = nullptr;
  return self;
}

void SceneNode::setScene(Scene* newScene) {
  scene = newScene;
  invalidate();
}

SceneNode& attachNode(std::unique_ptr<SceneNode> child, SceneNode& parent) {
  SceneNode& node = *child;
  node.attachTo(&parent);
  static_cast<void>(child.release());  // the parent holds it now
  return node;
}

void RenderableNode::serialize(persistent_store& store, bool writing) {
  SceneNode::serialize(store, writing);
  store.exchange(writing, renderFlags);
}
