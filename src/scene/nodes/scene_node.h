#pragma once
// The nodes of a scene's tree. A node owns its first child and its next
// sibling, so a tree hangs from its root by owning links only; `parent` and
// `scene` are plain back links. Each update computes, for the whole chain of
// siblings it is called on, the node matrices and the world bounds bottom-up
// (a node's bounds hold its own volume and its descendants' bounds), so that
// the render walk can drop a whole subtree with one clip test.
//
// A subtree where nothing animates (staticSubtree) comes out of an update
// the same as from the last one as long as its parent's matrix is the same:
// the update passes over such a subtree without recomputing it (its
// per-frame caches stay too, made from the same matrices), and the scene's
// render walk adds again what it drew while the view stays the same.
// Whatever changes a node's input besides time and that matrix must say so
// with invalidate(): attaching, detaching and the setters of the node kinds
// do; code that writes a node's fields directly (its offset matrix, a
// shape's mesh index or render flags, a transform's parts) calls it after.
// The scene notices by itself a mesh of its own replaced or resized.
//
// Trees are updated and drawn on the main thread only, after their load.
#include <cstdint>
#include <memory>

#include "persist/persistent.h"
#include "persist/stored_values.h"
#include "render/matrix44.h"
#include "render/oriented_box.h"

class Camera;
class RenderList;
class Scene;
struct KeptDraws;

// Something a node carries for its users; deleted with the node.
class NodeExtraData {
 public:
  virtual ~NodeExtraData() = default;
};

// Per-frame data of a renderable node; freed whenever an update recomputes
// the node.
class NodeCache {
 public:
  virtual ~NodeCache() = default;
};

class SceneNode : public persistent {
 public:
  SceneNode();
  // Deletes the later siblings and every descendant, without recursion:
  // chains and trees read from files may be many thousands of nodes long
  // or deep.
  ~SceneNode() override;
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;

  // The links (scene, first child, next sibling, parent) as references, then
  // the offset matrix. Reading replaces the owned links.
  void serialize(persistent_store& store, bool writing) override;

  // Updates this node and every later sibling, each with its subtree.
  // Updating part of a tree makes the next update of the whole tree
  // recompute the nodes above that part.
  virtual void update(float time, const Matrix44& parentMatrix);
  // True when the node has a transform of its own and wrote its world frame
  // to `out`; node kinds without one mark their own volume here.
  virtual bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) = 0;
  // `parent` takes ownership of this node, which becomes its first child
  // (children are prepended). A node that still has a parent is detached
  // from it first (its later siblings stay with the old parent); for a node
  // without one, a next sibling it still owns is deleted. Throws
  // std::logic_error, changing nothing, for a null parent or a node whose
  // parent's chain does not hold it (its owner is unknown). See also
  // attachNode below.
  virtual void attachTo(SceneNode* parent);
  // Unlinks the node from its parent's chain; the caller owns it afterwards.
  // Null (nothing changes hands) when the node has no parent or its parent's
  // chain does not hold it.
  virtual std::unique_ptr<SceneNode> detach();
  // Also tells the tree the node changed (its meshes come from the scene).
  virtual void setScene(Scene* scene);

  // The node's own data changed: the next update recomputes it and every
  // node above it.
  void invalidate();
  // The next update recomputes this node's whole chain and their subtrees.
  void invalidateTree();
  // The last update left this subtree static, and nothing it reads changed
  // since: it is where it was and draws what it drew.
  bool settled() const { return settled_ != Settled::No; }
  // Settled, and the last update passed over it: it stood still for a frame
  // at least.
  bool standing() const { return settled_ == Settled::PassedOver; }
  // The node as a renderable one, or null: the render walk asks every
  // visible node, every frame.
  virtual class RenderableNode* asRenderable() { return nullptr; }
  // What the node lists with its scene (setScene), for the scene to tell
  // the entries of its tree from those of nodes that are gone; null for
  // kinds that list nothing of that kind.
  virtual const Camera* listedCamera() const { return nullptr; }
  virtual const struct LightRecord* listedLight() const { return nullptr; }

  std::unique_ptr<NodeExtraData> extraData;
  persist::BoundingBox bounds;  // world space, own volume and descendants
  OrientedBox ownVolume;        // world space, this frame
  bool staticSubtree = false;
  Scene* scene = nullptr;
  Matrix44 worldMatrix;   // nodeMatrix · offsetMatrix
  Matrix44 nodeMatrix;    // handed to the children
  Matrix44 offsetMatrix;  // stored with the node
  std::unique_ptr<NodeCache> cache;
  SceneNode* parent = nullptr;
  std::unique_ptr<SceneNode> firstChild;
  std::unique_ptr<SceneNode> nextSibling;
  // What the scene's render walk drew for this subtree while it was
  // settled; dropped whenever an update recomputes the node.
  std::unique_ptr<KeptDraws> keptDraws;

 private:
  // Updates the chain and their subtrees without recursion (see update).
  void updateChain(float time, const Matrix44& parentMatrix);
  // The steps of one node's update: its own matrices and volume (true when
  // it has children to update next), then its children's bounds and
  // stillness, then whether it settles.
  bool computeOwn(float time, const Matrix44& parentMatrix);
  void gatherChildren();
  void settle(const Matrix44& parentMatrix);

  // The last update left this subtree static and as an update with
  // settledParent_ leaves it; nothing it reads changed since. A node that is
  // not settled has no settled ancestor.
  enum class Settled : std::uint8_t { No, Computed, PassedOver };
  Settled settled_ = Settled::No;
  Matrix44 settledParent_;
};

// Hands `child` to `parent` (SceneNode::attachTo with the ownership in the type).
SceneNode& attachNode(std::unique_ptr<SceneNode> child, SceneNode& parent);

// A node that adds draw records to the frame's render list.
class RenderableNode : public SceneNode {
 public:
  enum RenderFlags : std::uint8_t {
    kNoFog = 0x1,  // draw without fog
  };

  // The node links, then the render flags.
  void serialize(persistent_store& store, bool writing) override;

  virtual void render(Camera& camera, RenderList& renderList) = 0;
  RenderableNode* asRenderable() override { return this; }

  std::uint8_t renderFlags = 0;
};
