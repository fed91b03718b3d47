#pragma once
// Scene nodes for tests and benchmarks, standing in for the node kinds the
// engine stores: a placing node with a fixed transform, a shape-like
// renderable node with a box and a surface index, and a node that registers
// a camera with its scene. They are registered (once) under names of their
// own, so scenes holding them go through scene files like any other.
// Drawing goes through an element that makes a few GL calls naming itself.
#include <cstdint>
#include <memory>

#include "persist/dynamic_factory.h"
#include "persist/persistent_store.h"
#include "render/camera.h"
#include "render/gl_table.h"
#include "render/oriented_box.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/scene_node.h"
#include "scene/render_list.h"
#include "scene/scene.h"

namespace standin {

// A chunk stand-in: binding and drawing show up in a GL log as
//   glVertexPointer(3, GL_FLOAT, 0, id) ... glDrawArrays(GL_TRIANGLES, flags, id)
// and texture coordinates as glTexCoordPointer(2, GL_FLOAT, set, id).
class Element : public RetainedModeData::Element {
 public:
  explicit Element(int id = 1, int texCoordSets = 2) : id(id), texCoordSets(texCoordSets) {}
  void bindVertices() const override { gl.glVertexPointer(3, GL_FLOAT, 0, tag()); }
  void bindColors() const override { gl.glColorPointer(4, GL_UNSIGNED_BYTE, 0, tag()); }
  bool bindTexCoords(int set) const override {
    if (set >= texCoordSets) return false;
    gl.glTexCoordPointer(2, GL_FLOAT, set, tag());
    return true;
  }
  void bindNormals() const override { gl.glNormalPointer(GL_FLOAT, 0, tag()); }
  void draw(std::int32_t flags) const override { gl.glDrawArrays(GL_TRIANGLES, flags, id); }

  const void* tag() const { return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(id)); }

  int id;
  int texCoordSets;
};

// Places its children by a fixed matrix after the parent's. `animated`
// makes it report a changing transform.
class Transform : public SceneNode {
 public:
  static constexpr const char storedName[] = "class standin::Transform";

  bool computeLocal(float, const Matrix44& parentMatrix, Matrix44& out) override {
    ownVolume = OrientedBox{};
    out = Multiply(parentMatrix, local);
    staticSubtree = !animated;
    return true;
  }
  void serialize(persistent_store& store, bool writing) override {
    SceneNode::serialize(store, writing);
    persist::Matrix16 values;
    std::copy(std::begin(local.m), std::end(local.m), values.begin());
    store.exchange(writing, values);
    std::copy(values.begin(), values.end(), local.m);
    store.exchange(writing, animated);
  }

  Matrix44 local;
  bool animated = false;
};

// What a shape node does, with a box instead of a mesh: its own volume is
// the box under the parent's matrix; drawing adds one record for `element`
// to bucket `surface` unless the camera cannot see the box.
class Shape : public RenderableNode {
 public:
  static constexpr const char storedName[] = "class standin::Shape";

  bool computeLocal(float, const Matrix44& parentMatrix, Matrix44&) override {
    ownVolume = OrientedBox::FromBox(box, parentMatrix);
    staticSubtree = true;
    return false;
  }
  void render(Camera& camera, RenderList& renderList) override {
    ++renders;
    if (!ownVolume.empty && camera.Frustum().IsOrientedBoxOutside(ownVolume, renderList.openPlanes())) return;
    const std::int32_t flags = (renderFlags & kNoFog) != 0 ? 0x8 : 0;
    renderList.add(element != nullptr ? *element : fallback(), 0.0f, flags, surface, worldMatrix);
  }
  void serialize(persistent_store& store, bool writing) override {
    RenderableNode::serialize(store, writing);
    store.exchange(writing, box);
    store.exchangeVarint(writing, surface);
  }

  static const Element& fallback() {
    static const Element shared;
    return shared;
  }

  persist::BoundingBox box;
  std::uint32_t surface = 0;
  const Element* element = nullptr;  // not stored; null draws the shared element
  int renders = 0;
};

// What a shape node does with a mesh of its scene: its own volume is the
// mesh's box under the parent's matrix; the mesh adds the draw records.
class MeshShape : public RenderableNode {
 public:
  static constexpr const char storedName[] = "class standin::MeshShape";

  bool computeLocal(float, const Matrix44& parentMatrix, Matrix44&) override {
    const Primitive* found = mesh();
    ownVolume = found != nullptr ? OrientedBox::FromBox(found->box, parentMatrix) : OrientedBox{};
    staticSubtree = true;
    return false;
  }
  void render(Camera& camera, RenderList& renderList) override {
    if (Primitive* found = mesh(); found != nullptr && !ownVolume.empty)
      found->render(camera, worldMatrix, renderList, (renderFlags & kNoFog) != 0 ? 0x8 : 0);
  }
  void serialize(persistent_store& store, bool writing) override {
    RenderableNode::serialize(store, writing);
    store.exchangeVarint(writing, meshIndex);
  }
  Primitive* mesh() const { return scene != nullptr ? scene->meshAt(meshIndex) : nullptr; }

  std::int32_t meshIndex = -1;
};

// Holds a camera at the eye of its parent's frame, registered with the scene.
class CameraHolder : public SceneNode {
 public:
  static constexpr const char storedName[] = "class standin::CameraHolder";

  bool computeLocal(float, const Matrix44& parentMatrix, Matrix44&) override {
    ownVolume = OrientedBox{};
    camera = reference.Transformed(parentMatrix);
    return false;
  }
  void setScene(Scene* newScene) override {
    SceneNode::setScene(newScene);
    if (newScene != nullptr) newScene->addCamera(&camera);
  }
  const Camera* listedCamera() const override { return &camera; }
  void serialize(persistent_store& store, bool writing) override {
    SceneNode::serialize(store, writing);
    persist::Vec3 eye{reference.eye().x, reference.eye().y, reference.eye().z};
    persist::Vec3 target{reference.target().x, reference.target().y, reference.target().z};
    store.exchange(writing, eye);
    store.exchange(writing, target);
    if (writing) return;
    reference.SetEye({eye[0], eye[1], eye[2]});
    reference.SetTarget({target[0], target[1], target[2]});
    camera = reference;
    setScene(scene);
  }

  // Looks along +z from the origin, 90 degrees across a 4:3 view, out to 1000.
  Camera reference{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 1000.0f, 1.0f, 0.75f};
  Camera camera = reference;
};

inline void registerNodes() {
  [[maybe_unused]] static const bool once = [] {
    dynamic::registerFactory<Transform>();
    dynamic::registerFactory<Shape>();
    dynamic::registerFactory<MeshShape>();
    dynamic::registerFactory<CameraHolder>();
    return true;
  }();
}

// Hands `child` to `parent` and gives back the child.
template <typename Node>
Node& attach(std::unique_ptr<Node> child, SceneNode& parent) {
  return static_cast<Node&>(attachNode(std::move(child), parent));
}

inline persist::BoundingBox box(persist::Vec3 min, persist::Vec3 max) {
  persist::BoundingBox b;
  b.grow(min);
  b.grow(max);
  return b;
}

inline Matrix44 translation(float x, float y, float z) { return Matrix44{}.Translation(x, y, z); }

// A built mesh of two triangles, the first drawn with surface `first`, the
// second with `second` (building needs no GL).
inline std::unique_ptr<MeshPrimitive> twoTriangleMesh(const char* first, const char* second) {
  auto source = std::make_unique<kst::RobustMesh>();
  source->SetVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}});
  source->SetTriangles({0, 1, 2, 1, 3, 2}, {0, 1}, 2);
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->addSubMesh(first);
  mesh->addSubMesh(second);
  mesh->build(true, kst::RobustMesh::kBuildNormals);
  return mesh;
}

}  // namespace standin
