// Transform nodes: the local matrix with and without pivot, the Euler order,
// quaternions, and the stored forms of the node and its envelope handler.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "render/quaternion.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/transform_node.h"
#include "support/record_bytes.h"

namespace {

using Rows = std::array<std::array<double, 3>, 3>;

// The three rotations as rows (x, y or z), written out apart from the engine's builders.
Rows rotation(char axis, double degrees) {
  const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
  if (axis == 'x') return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
  if (axis == 'y') return {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
  return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}
Rows times(const Rows& a, const Rows& b) {
  Rows p{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) p[r][c] += a[r][k] * b[k][c];
  return p;
}
Vector3 apply(const Rows& m, Vector3 v) {
  const auto row = [&](int r) { return static_cast<float>(m[r][0] * v.x + m[r][1] * v.y + m[r][2] * v.z); };
  return {row(0), row(1), row(2)};
}

void expectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

std::unique_ptr<EulerAnglesRotationControler> eulerOf(Vector3 degrees) {
  return std::make_unique<EulerAnglesRotationControler>(std::make_unique<ConstantKeyframeHandler>(degrees));
}

TEST(TransformNode, DefaultIsTheIdentityAndStaticAnimatedIsNot) {
  TransformNode node;
  EXPECT_EQ(std::memcmp(node.localMatrix(3.5f).m, Matrix44{}.m, sizeof(Matrix44::m)), 0);
  node.update(0, Matrix44{}.Translation(1, 2, 3));
  EXPECT_TRUE(node.staticSubtree);
  expectNear(node.nodeMatrix.TransformPoint({}), {1, 2, 3}, 0);

  auto moving = std::make_unique<LW6KeyframeHandler>();
  moving->x.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
  moving->x.addKey(1, 8, 0, 0, 0).shape = kShapeLinear;
  node.setPosition(std::move(moving));
  node.update(0.5f, Matrix44{});
  EXPECT_FALSE(node.staticSubtree);
  expectNear(node.nodeMatrix.TransformPoint({}), {4, 0, 0});
}

TEST(TransformNode, EulerAnglesTurnAboutYThenXThenZ) {
  const Matrix44 m = eulerOf({30, 40, 50})->matrix(0.0f);
  const Rows expected = times(times(rotation('y', 40), rotation('x', 30)), rotation('z', 50));
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(m.at(r, c), r < 3 && c < 3 ? expected[r][c] : (r == c), 1e-5) << r << ", " << c;
  // A missing angle handler (a null reference in a file) is no rotation.
  EXPECT_EQ(std::memcmp(EulerAnglesRotationControler{}.matrix(1).m, Matrix44{}.m, sizeof(Matrix44::m)), 0);
}

TEST(TransformNode, PivotIsTakenAwayBeforeScaleRotationAndPosition) {
  TransformNode node;
  node.setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{10, -4, 2}));
  node.setScale(std::make_unique<ConstantKeyframeHandler>(Vector3{2, 3, 0.5f}));
  node.setRotation(eulerOf({15, -70, 120}));
  const Rows r = times(times(rotation('y', -70), rotation('x', 15)), rotation('z', 120));
  const Vector3 x{1.5f, -2, 7}, p{10, -4, 2}, pivot{1, 1, -1};
  const auto scaled = [](Vector3 v) { return Vector3{2 * v.x, 3 * v.y, 0.5f * v.z}; };

  expectNear(node.localMatrix(0).TransformPoint(x), p + apply(r, scaled(x)));
  node.setPivot(pivot);
  expectNear(node.localMatrix(0).TransformPoint(x), p + apply(r, scaled(x - pivot)));
  Matrix44 out;  // the node's frame: the parent's times the local matrix
  EXPECT_TRUE(node.computeLocal(0, Matrix44{}.Translation(0, 100, 0), out));
  expectNear(out.TransformPoint(x), Vector3{0, 100, 0} + p + apply(r, scaled(x - pivot)));
}

TEST(Quaternion, MatchesTheAxisRotationBuilder) {
  for (const auto& [degrees, axis] : {std::pair{90.0f, Vector3{0, 0, 1}}, std::pair{-35.0f, Vector3{1, 2, -2}},
                                      std::pair{170.0f, Vector3{0, -3, 0}}}) {
    const Matrix44 expected = Matrix44{}.RotationAxis(degrees, axis);
    const Matrix44 actual = Quaternion::FromAxisAngle(degrees, axis).RotationMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5) << degrees << "° element " << i;
  }
  // A quarter turn about z takes x to y, also at twice the length.
  const Quaternion q = Quaternion::FromAxisAngle(90, {0, 0, 1});
  expectNear(QuaternionRotationControler({2 * q.x, 2 * q.y, 2 * q.z, 2 * q.w}).matrix(0).TransformPoint({1, 0, 0}),
             {0, 1, 0}, 1e-6f);
  expectNear(Quaternion{0, 0, 0, 0}.RotationMatrix().TransformPoint({1, 2, 3}), {1, 2, 3}, 0);
}

// ---- stored forms ---------------------------------------------------------

using fake::readRecordAs;
using fake::recordOf;
using Bytes = fake::RecordBytes;

TEST(StoredForms, EnvelopeKeysReadInFileOrderAndWriteBackTheSameBytes) {
  Bytes body;
  // x: two keys (value, time, shape, tension, continuity, bias, 4 params),
  // the second earlier in time; repeat before, linear after.
  body.header("class LW6KeyframeHandler").value<std::int32_t>(2);
  body.floats({1.5f, 2.0f}).value<std::int32_t>(kShapeHermite).floats({0.25f, -0.5f, 0.75f, 1, 2, 3, 4});
  body.floats({-3.0f, 0.5f}).value<std::int32_t>(kShapeBezier2D).floats({0, 0, 0, 0.1f, 0.2f, 0.3f, 0.4f});
  body.value<std::int32_t>(kBehaviorRepeat).value<std::int32_t>(kBehaviorLinear);
  body.value<std::int32_t>(0).value<std::int32_t>(kBehaviorReset).value<std::int32_t>(kBehaviorOffset);  // y
  body.value<std::int32_t>(1).floats({7, 0}).value<std::int32_t>(kShapeStepped).floats({0, 0, 0, 0, 0, 0, 0});
  body.value<std::int32_t>(1).value<std::int32_t>(1);  // z

  const auto handler = readRecordAs<LW6KeyframeHandler>(body.data);
  ASSERT_NE(handler, nullptr);
  ASSERT_EQ(handler->x.keyCount(), 2);
  const EnvelopeKey& first = *handler->x.keys();
  EXPECT_EQ((std::array{first.value, first.time, first.tension, first.continuity, first.bias}),
            (std::array{1.5f, 2.0f, 0.25f, -0.5f, 0.75f}));
  EXPECT_EQ(first.shape, kShapeHermite);
  EXPECT_EQ(first.param, (std::array<float, 4>{1, 2, 3, 4}));
  const EnvelopeKey* second = first.next.get();
  EXPECT_EQ(second->time, 0.5f);
  EXPECT_EQ(second->shape, kShapeBezier2D);
  EXPECT_EQ(second->prev, &first);
  EXPECT_EQ(handler->x.lastKey(), second);
  EXPECT_EQ(handler->x.preBehavior, kBehaviorRepeat);
  EXPECT_EQ(handler->x.postBehavior, kBehaviorLinear);
  EXPECT_EQ(handler->y.postBehavior, kBehaviorOffset);
  EXPECT_EQ(handler->evaluate(9.0f).z, 7.0f);

  EXPECT_EQ(recordOf(*handler), body.data);
}

TEST(StoredForms, TransformNodeWritesItsPartsAsRecordsWithoutTags) {
  TransformNode node;
  node.tag = 300;
  node.setPivot({1, 2, 3});
  auto angles = std::make_unique<LW6KeyframeHandler>();
  angles->y.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
  angles->y.addKey(1, 90, 0, 0, 0).shape = kShapeLinear;
  node.setRotation(std::make_unique<EulerAnglesRotationControler>(std::move(angles)));
  node.setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{0, 0, 5}));
  const std::vector<std::uint8_t> bytes = recordOf(node);

  // Pivot flag and pivot, the tag as a varint (300 is 2C 82), then the
  // rotation's record at once.
  Bytes expected;
  expected.header("class TransformNode").nodeLinks().value<std::uint8_t>(1).floats({1, 2, 3});
  expected.value<std::uint16_t>(0x822C).header("class EulerAnglesRotationControler");
  ASSERT_GE(bytes.size(), expected.data.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + expected.data.size()), expected.data);

  const auto copy = readRecordAs<TransformNode>(bytes);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->tag, 300u);
  for (float t : {0.0f, 0.5f, 1.0f})
    expectNear(copy->localMatrix(t).TransformPoint({4, 5, 6}), node.localMatrix(t).TransformPoint({4, 5, 6}));
}

TEST(StoredForms, PartOfTheWrongClassLeavesTheDefault) {
  Bytes body;
  body.header("class TransformNode").nodeLinks().value<std::uint8_t>(0).floats({0, 0, 0}).value<std::uint8_t>(0x80);
  body.header("class ConstantKeyframeHandler").floats({9, 9, 9});  // where the rotation belongs
  body.header("class ConstantKeyframeHandler").floats({1, 1, 1});
  body.header("class QuaternionRotationControler").floats({0, 0, 0, 1});  // where the position belongs
  const auto node = readRecordAs<TransformNode>(body.data);
  ASSERT_NE(node, nullptr);
  expectNear(node->localMatrix(0).TransformPoint({1, 2, 3}), {1, 2, 3}, 0);
}

}  // namespace
