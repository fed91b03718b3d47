#pragma once
// The nodes of a scene's tree. A node owns its first child and its next
// sibling, so a tree hangs from its root by owning links only; `parent` and
// `scene` are plain back links. Each update computes, for the whole chain of
// siblings it is called on, the node matrices and the world bounds bottom-up
// (a node's bounds hold its own volume and its descendants' bounds), so that
// the render walk can drop a whole subtree with one clip test.
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

// Something a node carries for its users; deleted with the node.
class NodeExtraData {
 public:
  virtual ~NodeExtraData() = default;
};

// Per-frame data of a renderable node; freed at every update.
class NodeCache {
 public:
  virtual ~NodeCache() = default;
};

class SceneNode : public persistent {
 public:
  SceneNode() = default;
  // Deletes the later siblings and every descendant, without recursion along
  // a sibling chain (chains may hold many thousands of nodes).
  ~SceneNode() override;
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;

  // The links (scene, first child, next sibling, parent) as references, then
  // the offset matrix. Reading replaces the owned links.
  void serialize(persistent_store& store, bool writing) override;

  // Updates this node and every later sibling, each with its subtree.
  virtual void update(float time, const Matrix44& parentMatrix);
  // True when the node has a transform of its own and wrote its world frame
  // to `out`; node kinds without one mark their own volume here.
  virtual bool computeLocal(float time, const Matrix44& parentMatrix, Matrix44& out) = 0;
  // `parent` takes ownership of this node, which becomes its first child
  // (children are prepended). Attach detached nodes only: a next sibling this
  // node still owns is deleted first. See also attachNode below.
  virtual void attachTo(SceneNode* parent);
  // Unlinks the node from its parent's chain; the caller owns it afterwards.
  // Null (nothing changes hands) when the node has no parent or its parent's
  // chain does not hold it.
  virtual std::unique_ptr<SceneNode> detach();
  virtual void setScene(Scene* scene);
  // The node as a renderable one, or null: the render walk asks every
  // visible node, every frame.
  virtual class RenderableNode* asRenderable() { return nullptr; }

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
