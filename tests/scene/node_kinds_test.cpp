// Shapes, lights, cameras and bones in a node tree: where they end up under
// their transforms, what a shape hands its mesh, their stored forms, their
// listing with the scene, and the registry's order of the node classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/dynamic_factory.h"
#include "render/camera.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/mesh/primitive.h"
#include "scene/nodes/bone_node.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "scene/render_list.h"
#include "scene/scene.h"
#include "support/record_bytes.h"

namespace {

using fake::RecordBytes;

void expectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

std::unique_ptr<TransformNode> transformAt(Vector3 position) {
  auto node = std::make_unique<TransformNode>();
  node->setPosition(std::make_unique<ConstantKeyframeHandler>(position));
  return node;
}

template <class Node>
Node& attach(std::unique_ptr<Node> child, SceneNode& parent) {
  return static_cast<Node&>(attachNode(std::move(child), parent));
}

TEST(NodeKinds, LightFollowsItsParentThroughABone) {
  auto root = transformAt({0, 0, 5});
  auto& light = attach(std::make_unique<LightNode>(LightRecord{}, nullptr), attach(std::make_unique<BoneNode>(), *root));
  root->update(0, Matrix44{});
  expectNear(light.light.position, {0, 0, 5});
  expectNear(light.light.target, {0, 0, 6});
  EXPECT_TRUE(root->staticSubtree);

  // A quarter turn about y sends +z to −x; the local position moves too.
  root->setRotation(std::make_unique<EulerAnglesRotationControler>(
      std::make_unique<ConstantKeyframeHandler>(Vector3{0, 90, 0})));
  light.localPosition = {0, 1, 2};
  root->update(0, Matrix44{});
  expectNear(light.light.position, {-2, 1, 5});
  expectNear(light.light.target, {-3, 1, 5});
}

TEST(NodeKinds, CameraLooksWhereItsRotatingParentTurnsIt) {
  auto angles = std::make_unique<LW6KeyframeHandler>();
  angles->y.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
  angles->y.addKey(1, 90, 0, 0, 0).shape = kShapeLinear;
  auto root = transformAt({1, 2, 3});
  root->setRotation(std::make_unique<EulerAnglesRotationControler>(std::move(angles)));
  auto& node = attach(std::make_unique<CameraNode>(nullptr), *root);

  root->update(0, Matrix44{});
  expectNear(node.camera.eye(), {1, 2, 3});
  expectNear(node.camera.forward(), {0, 0, 1});
  root->update(1, Matrix44{});
  expectNear(node.camera.eye(), {1, 2, 3});
  expectNear(node.camera.target(), {0, 2, 3});
  expectNear(node.camera.forward(), {-1, 0, 0});
  expectNear(node.camera.up(), {0, 1, 0});
  expectNear(node.reference.target(), {0, 0, 1});  // stays in the node's own frame
}

// A mesh that only notes how it is asked to draw.
struct RecordingMesh : Primitive {
  void render(Camera&, const Matrix44& worldMatrix, RenderList&, std::int32_t flags) override {
    calls.push_back({worldMatrix, flags});
  }
  std::vector<std::pair<Matrix44, std::int32_t>> calls;
};

class ShapeNodes : public ::testing::Test {
 protected:
  ShapeNodes() {
    auto made = std::make_unique<RecordingMesh>();
    mesh = made.get();
    made->subMeshes.resize(2);
    for (Vector3 corner : {Vector3{-1, -1, -1}, Vector3{1, 1, 1}}) {
      made->box.grow({corner.x, corner.y, corner.z});
      made->subMeshes[0].box.grow({corner.x, corner.y, corner.z});
      made->subMeshes[1].box.grow({corner.x + 100, corner.y, corner.z});  // far off to the side
    }
    scene.meshes.push_back(std::move(made));
    scene.meshes.push_back(nullptr);  // a hole a bad record leaves
  }

  // A shape of the scene under a transform at `place`, updated and drawn.
  ShapeNode& drawShape(Vector3 place, std::int32_t meshIndex, const Matrix44& offset = {}) {
    root = transformAt(place);
    auto& shape = attach(std::make_unique<ShapeNode>(&scene), *root);
    shape.setMeshIndex(meshIndex);
    shape.offsetMatrix = offset;
    shape.renderFlags = RenderableNode::kNoFog;
    root->update(0, Matrix44{});
    RenderList list(1);
    shape.render(camera, list);
    return shape;
  }

  Scene scene;
  RecordingMesh* mesh = nullptr;
  std::unique_ptr<TransformNode> root;
  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.375f};
};

TEST_F(ShapeNodes, NoMeshOrNoSightDrawsNothing) {
  for (std::int32_t index : {-1, 1, 2}) {  // none, a hole, past the end
    const ShapeNode& shape = drawShape({0, 0, 10}, index);
    EXPECT_TRUE(shape.bounds.empty) << index;
    EXPECT_EQ(shape.mesh(), nullptr) << index;
  }
  drawShape({0, 0, -10}, 0);  // behind the eye
  EXPECT_TRUE(mesh->calls.empty());
}

TEST_F(ShapeNodes, VolumeAndDrawingUseTheOffsetMatrix) {
  const ShapeNode& shape = drawShape({0, 0, 10}, 0, Matrix44{}.Translation(3, 0, 0));
  EXPECT_EQ(shape.bounds.min, (persist::Vec3{2, -1, 9}));
  EXPECT_EQ(shape.bounds.max, (persist::Vec3{4, 1, 11}));
  EXPECT_EQ(root->bounds, shape.bounds);
  ASSERT_EQ(mesh->calls.size(), 1u);
  EXPECT_EQ(mesh->calls[0].first.TransformPoint({}), (Vector3{3, 0, 10}));
  EXPECT_EQ(mesh->calls[0].second, 0x8);  // without fog
  EXPECT_TRUE(mesh->subMeshes[0].visible);
  EXPECT_FALSE(mesh->subMeshes[1].visible);
}

TEST_F(ShapeNodes, TreeReadFromAStreamListsItsLightAndCameraOnce) {
  RegisterClassFactories();
  auto tree = transformAt({0, 0, 5});
  attachNode(std::make_unique<LightNode>(LightRecord{}, &scene), *tree);
  attachNode(std::make_unique<CameraNode>(&scene), *tree);
  attachNode(std::make_unique<ShapeNode>(&scene), *tree);
  // Written the way a scene file holds it: the scene is record 0.
  fake::MemoryStore store;
  store.enterWritten(&scene);
  writeRecord(*tree, store);

  Scene loaded;
  store.position = 0;
  store.enterRead(&loaded);
  auto root = store.adopt<TransformNode>(readRecord(store));
  ASSERT_NE(root, nullptr);
  for (SceneNode* node = root->firstChild.get(); node != nullptr; node = node->nextSibling.get()) node->setScene(&loaded);
  ASSERT_EQ(loaded.lights.size(), 1u);
  ASSERT_EQ(loaded.cameras.size(), 1u);
  root->update(0, Matrix44{});
  EXPECT_EQ(loaded.lights[0]->position, (Vector3{0, 0, 5}));
  EXPECT_EQ(loaded.cameras[0]->eye(), (Vector3{0, 0, 5}));
}

TEST(NodeRecords, StoredFieldsInTheirOrder) {
  CameraNode camera(Camera({1, 2, 3}, {4, 5, 6}, {0, 1, 0}, 0.5f, 900.0f, 0.4f, 0.3f), nullptr);
  RecordBytes cameraBytes;  // half width before half height
  cameraBytes.header("class CameraNode").nodeLinks().floats({1, 2, 3, 4, 5, 6, 0, 1, 0, 0.5f, 900, 0.4f, 0.3f});
  EXPECT_EQ(fake::recordOf(camera), cameraBytes.data);
  const auto cameraRead = fake::readRecordAs<CameraNode>(cameraBytes.data);
  EXPECT_EQ(cameraRead->camera.halfWidth(), 0.4f);
  EXPECT_EQ(cameraRead->camera.target(), (Vector3{4, 5, 6}));

  LightRecord description;
  description.position = {1, 2, 3};
  description.color = {0.5f, 0.25f, 1, 1};
  description.attenuation = {1, 0.5f, 0.125f};
  description.spotCutoff = 30;
  description.enabled = false;
  LightNode light(description, nullptr);
  light.localPosition = {7, 8, 9};
  RecordBytes lightBytes;  // position, colour, attenuation, enabled, local position
  lightBytes.header("class LightNode").nodeLinks().floats({1, 2, 3, 0.5f, 0.25f, 1, 1, 1, 0.5f, 0.125f});
  lightBytes.value<std::uint8_t>(0).floats({7, 8, 9});
  EXPECT_EQ(fake::recordOf(light), lightBytes.data);
  const auto lightRead = fake::readRecordAs<LightNode>(lightBytes.data);
  EXPECT_FALSE(lightRead->light.enabled);
  EXPECT_EQ(lightRead->light.spotCutoff, 180.0f);  // not stored

  ShapeNode shape;  // render flags, then mesh index −1 as the varint of 0xFFFFFFFF
  shape.renderFlags = RenderableNode::kNoFog;
  RecordBytes shapeBytes;
  shapeBytes.header("class ShapeNode").nodeLinks().value<std::uint8_t>(1).value<std::uint32_t>(0x7F7F7F7F);
  EXPECT_EQ(fake::recordOf(shape), shapeBytes.value<std::uint8_t>(0x8F).data);
  EXPECT_EQ(fake::readRecordAs<ShapeNode>(shapeBytes.data)->meshIndex, -1);
}

TEST(NodeRecords, NodeAndAnimationClassesRegisterOnceInOrder) {
  RegisterClassFactories();
  const dynamic::factory_list_ele* head = dynamic::registryHead();
  RegisterClassFactories();  // as a second device does: nothing more
  EXPECT_EQ(dynamic::registryHead(), head);
  const std::vector<std::string> order = {
      "class BoneNode", "class CameraNode", "class LightNode", "class ShapeNode", "class TransformNode",
      "class ConstantKeyframeHandler", "class LW6KeyframeHandler", "struct TransformNode::RotationControler",
      "class EulerAnglesRotationControler", "class QuaternionRotationControler"};
  std::vector<std::string> fromHead;  // the registry answers newest first
  for (auto* element = dynamic::registryHead(); element != nullptr; element = element->next)
    if (std::count(order.begin(), order.end(), element->factory->className()) != 0)
      fromHead.push_back(element->factory->className());
  EXPECT_EQ(fromHead, std::vector<std::string>(order.rbegin(), order.rend()));
  for (const std::string& name : order) {
    std::unique_ptr<persistent> made(dynamic::createByName(name.c_str()));
    ASSERT_NE(made, nullptr) << name;
    EXPECT_STREQ(dynamic::factoryOf(*made)->className(), name.c_str());
  }
}

}  // namespace
