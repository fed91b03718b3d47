// Lights, cameras and bones in a node tree: where they end up under their
// transforms, their stored forms, and the registry's order of the node and
// animation classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/dynamic_factory.h"
#include "persist/object_record.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/bone_node.h"
#include "scene/nodes/camera_node.h"
#include "scene/nodes/light_node.h"
#include "scene/nodes/shape_node.h"
#include "scene/nodes/transform_node.h"
#include "support/memory_store.h"

namespace {

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

TEST(NodeKinds, LightFollowsItsParentThroughABone) {
  auto root = transformAt({0, 0, 5});
  SceneNode& bone = attachNode(std::make_unique<BoneNode>(), *root);
  auto& light = static_cast<LightNode&>(attachNode(std::make_unique<LightNode>(LightRecord{}, nullptr), bone));
  root->update(0, Matrix44{});
  expectNear(light.light.position, {0, 0, 5});
  expectNear(light.light.target, {0, 0, 6});
  EXPECT_TRUE(root->staticSubtree);
  EXPECT_TRUE(root->bounds.empty);

  // A quarter turn about y sends the light's +z to −x; its local position moves too.
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
  auto& node = static_cast<CameraNode&>(attachNode(std::make_unique<CameraNode>(nullptr), *root));

  root->update(0, Matrix44{});
  expectNear(node.camera.eye(), {1, 2, 3});
  expectNear(node.camera.forward(), {0, 0, 1});
  expectNear(node.camera.up(), {0, 1, 0});
  root->update(1, Matrix44{});
  expectNear(node.camera.eye(), {1, 2, 3});
  expectNear(node.camera.target(), {0, 2, 3});
  expectNear(node.camera.forward(), {-1, 0, 0});
  expectNear(node.camera.up(), {0, 1, 0});
  // The reference stays in the node's own frame.
  expectNear(node.reference.target(), {0, 0, 1});
}

TEST(NodeKinds, ShapeWithoutAMeshAddsNoVolume) {
  ShapeNode shape;
  EXPECT_EQ(shape.mesh(), nullptr);
  shape.setMeshIndex(3);
  EXPECT_EQ(shape.mesh(), nullptr);  // no scene
  shape.update(0, Matrix44{});
  EXPECT_TRUE(shape.ownVolume.empty);
  EXPECT_TRUE(shape.bounds.empty);
}

// ---- stored forms ---------------------------------------------------------

class NodeRecords : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterClassFactories(); }

  // The record's bytes after the header and the node links (four null
  // references and the offset matrix).
  static std::vector<std::uint8_t> bodyAfterLinks(persistent& node, const char* name) {
    fake::MemoryStore store;
    writeRecord(node, store);
    const std::size_t skip = std::strlen(name) + 1 + 2 + 4 + 64;
    return {store.bytes.begin() + static_cast<std::ptrdiff_t>(skip), store.bytes.end()};
  }
  static std::vector<float> floats(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count) {
    std::vector<float> values(count);
    std::memcpy(values.data(), bytes.data() + from, count * sizeof(float));
    return values;
  }
  template <class T>
  static std::unique_ptr<T> copy(persistent& node) {
    fake::MemoryStore store;
    writeRecord(node, store);
    return store.adopt<T>(readRecord(store));
  }
};

TEST_F(NodeRecords, CameraStoresHalfWidthBeforeHalfHeight) {
  CameraNode node(Camera({1, 2, 3}, {4, 5, 6}, {0, 1, 0}, 0.5f, 900.0f, 0.4f, 0.3f), nullptr);
  const auto body = bodyAfterLinks(node, CameraNode::storedName);
  ASSERT_EQ(body.size(), 13 * sizeof(float));
  EXPECT_EQ(floats(body, 0, 13), (std::vector<float>{1, 2, 3, 4, 5, 6, 0, 1, 0, 0.5f, 900, 0.4f, 0.3f}));

  const auto read = copy<CameraNode>(node);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->camera.halfWidth(), 0.4f);
  EXPECT_EQ(read->camera.halfHeight(), 0.3f);
  EXPECT_EQ(read->camera.target(), (Vector3{4, 5, 6}));
}

TEST_F(NodeRecords, LightStoresItsSubsetAndDefaultsTheRest) {
  LightRecord description;
  description.position = {1, 2, 3};
  description.color = {0.5f, 0.25f, 1, 1};
  description.attenuation = {1, 0.5f, 0.125f};
  description.spotCutoff = 30;
  description.directional = true;
  description.enabled = false;
  LightNode node(description, nullptr);
  node.localPosition = {7, 8, 9};
  const auto body = bodyAfterLinks(node, LightNode::storedName);
  ASSERT_EQ(body.size(), 10 * sizeof(float) + 1 + 3 * sizeof(float));
  EXPECT_EQ(floats(body, 0, 10), (std::vector<float>{1, 2, 3, 0.5f, 0.25f, 1, 1, 1, 0.5f, 0.125f}));
  EXPECT_EQ(body[40], 0);
  EXPECT_EQ(floats(body, 41, 3), (std::vector<float>{7, 8, 9}));

  const auto read = copy<LightNode>(node);
  ASSERT_NE(read, nullptr);
  EXPECT_FALSE(read->light.enabled);
  EXPECT_EQ(read->light.spotCutoff, 180.0f);
  EXPECT_FALSE(read->light.directional);
  EXPECT_EQ(read->localPosition, (Vector3{7, 8, 9}));
}

TEST_F(NodeRecords, ShapeStoresNoMeshAsAllOnes) {
  ShapeNode shape;
  shape.renderFlags = RenderableNode::kNoFog;
  EXPECT_EQ(bodyAfterLinks(shape, ShapeNode::storedName), (std::vector<std::uint8_t>{1, 0x7F, 0x7F, 0x7F, 0x7F, 0x8F}));
  shape.setMeshIndex(2);
  EXPECT_EQ(copy<ShapeNode>(shape)->meshIndex, 2);
}

TEST(NodeRegistry, AnimationAndNodeClassesAnswerNewestFirst) {
  RegisterClassFactories();
  const std::vector<std::string> order = {
      "class BoneNode", "class CameraNode", "class LightNode", "class ShapeNode", "class TransformNode",
      "class ConstantKeyframeHandler", "class LW6KeyframeHandler", "struct TransformNode::RotationControler",
      "class EulerAnglesRotationControler", "class QuaternionRotationControler"};
  std::vector<std::string> fromHead;
  for (auto* element = dynamic::registryHead(); element != nullptr; element = element->next) {
    const std::string name = element->factory->className();
    if (std::find(order.begin(), order.end(), name) != order.end()) fromHead.push_back(name);
  }
  EXPECT_EQ(fromHead, std::vector<std::string>(order.rbegin(), order.rend()));
  for (const std::string& name : order) {
    std::unique_ptr<persistent> made(dynamic::createByName(name.c_str()));
    ASSERT_NE(made, nullptr) << name;
    EXPECT_STREQ(dynamic::factoryOf(*made)->className(), name.c_str());
  }
}

}  // namespace
