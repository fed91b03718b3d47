#include "scene/nodes/scene_node.h"

#include <cstring>

#include "persist/persistent_store.h"
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

SceneNode::~SceneNode() {
  // Each sibling is freed here with its own chain cut off first, so a long
  // chain costs a loop, not a stack frame per node.
  std::unique_ptr<SceneNode> next = std::move(nextSibling);
  while (next) next = std::move(next->nextSibling);
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

void SceneNode::updateChain(float time, const Matrix44& parentMatrix) {
  for (SceneNode* node = this; node != nullptr; node = node->nextSibling.get()) {
    // Bit for bit: the same bits in give the same bits out.
    if (node->settled() && std::memcmp(node->settledParent_.m, parentMatrix.m, sizeof parentMatrix.m) == 0) {
      node->settled_ = Settled::PassedOver;
      continue;
    }
    Matrix44 local;
    const bool own = node->computeLocal(time, parentMatrix, local);
    node->nodeMatrix = own ? local : parentMatrix;
    node->worldMatrix = Multiply(node->nodeMatrix, node->offsetMatrix);
    node->cache.reset();
    node->keptDraws.reset();
    node->bounds = node->ownVolume.Enclosing();
    if (node->firstChild != nullptr) {
      node->firstChild->updateChain(time, node->nodeMatrix);
      for (SceneNode* child = node->firstChild.get(); child != nullptr; child = child->nextSibling.get()) {
        grow(node->bounds, child->bounds);
        node->staticSubtree = node->staticSubtree && child->staticSubtree;
      }
    }
    node->settled_ = node->staticSubtree ? Settled::Computed : Settled::No;
    if (node->staticSubtree) node->settledParent_ = parentMatrix;
  }
}

// Stops at the first node that is not settled: nothing above it is either
// (which also ends the walk on a loop of parent links from a damaged file).
void SceneNode::invalidate() {
  for (SceneNode* node = this; node != nullptr && node->settled(); node = node->parent) node->settled_ = Settled::No;
}

void SceneNode::invalidateTree() {
  for (SceneNode* node = this; node != nullptr; node = node->nextSibling.get()) {
    node->settled_ = Settled::No;
    if (node->firstChild != nullptr) node->firstChild->invalidateTree();
  }
}

void SceneNode::attachTo(SceneNode* newParent) {
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
  SceneNode* node = child.release();
  node->attachTo(&parent);
  return *node;
}

void RenderableNode::serialize(persistent_store& store, bool writing) {
  SceneNode::serialize(store, writing);
  store.exchange(writing, renderFlags);
}
