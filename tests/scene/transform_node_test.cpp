// Transform nodes: the local matrix with and without pivot, the Euler order,
// quaternions, and the stored forms of the node, its handlers and its
// controllers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "render/quaternion.h"
#include "scene/animation/keyframe_handler.h"
#include "scene/animation/rotation_controler.h"
#include "scene/nodes/transform_node.h"
#include "support/memory_store.h"

namespace {

using Rows = std::array<std::array<double, 3>, 3>;

// The three rotations as rows, written out here apart from the engine's builders.
Rows rotX(double degrees) {
  const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
  return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}
Rows rotY(double degrees) {
  const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
  return {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}
Rows rotZ(double degrees) {
  const double c = std::cos(degrees * M_PI / 180), s = std::sin(degrees * M_PI / 180);
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

void expectRotation(const Matrix44& actual, const Rows& expected) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const double want = r < 3 && c < 3 ? expected[r][c] : (r == c ? 1.0 : 0.0);
      EXPECT_NEAR(actual.at(r, c), want, 1e-5) << "row " << r << " column " << c;
    }
}

void expectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-4f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

std::unique_ptr<EulerAnglesRotationControler> eulerOf(Vector3 degrees) {
  return std::make_unique<EulerAnglesRotationControler>(std::make_unique<ConstantKeyframeHandler>(degrees));
}

TEST(TransformNode, DefaultIsTheIdentityAndStatic) {
  TransformNode node;
  const Matrix44 identity;
  EXPECT_EQ(std::memcmp(node.localMatrix(3.5f).m, identity.m, sizeof identity.m), 0);
  Matrix44 parent = Matrix44{}.Translation(1, 2, 3);
  node.update(0.0f, parent);
  EXPECT_TRUE(node.staticSubtree);
  EXPECT_EQ(std::memcmp(node.nodeMatrix.m, parent.m, sizeof parent.m), 0);
  EXPECT_TRUE(node.ownVolume.empty);
}

TEST(TransformNode, EulerAnglesTurnAboutYThenXThenZ) {
  expectRotation(eulerOf({30, 40, 50})->matrix(0.0f), times(times(rotY(40), rotX(30)), rotZ(50)));
  // A missing angle handler (a null reference in a file) is no rotation.
  expectRotation(EulerAnglesRotationControler{}.matrix(1.0f), rotX(0));
}

TEST(TransformNode, PivotIsTakenAwayBeforeScaleRotationAndPosition) {
  TransformNode node;
  node.setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{10, -4, 2}));
  node.setScale(std::make_unique<ConstantKeyframeHandler>(Vector3{2, 3, 0.5f}));
  node.setRotation(eulerOf({15, -70, 120}));
  const Rows r = times(times(rotY(-70), rotX(15)), rotZ(120));
  const Vector3 x{1.5f, -2, 7};
  const Vector3 p{10, -4, 2};

  const auto scaled = [](Vector3 v) { return Vector3{2 * v.x, 3 * v.y, 0.5f * v.z}; };
  expectNear(node.localMatrix(0).TransformPoint(x), p + apply(r, scaled(x)));
  node.setPivot({1, 1, -1});
  expectNear(node.localMatrix(0).TransformPoint(x), p + apply(r, scaled(x - Vector3{1, 1, -1})));

  // The node's frame is the parent's times the local matrix.
  const Matrix44 parent = Matrix44{}.Translation(0, 100, 0);
  Matrix44 out;
  EXPECT_TRUE(node.computeLocal(0, parent, out));
  expectNear(out.TransformPoint(x), Vector3{0, 100, 0} + p + apply(r, scaled(x - Vector3{1, 1, -1})));
}

TEST(TransformNode, AnimatedPartMakesTheNodeDynamic) {
  TransformNode node;
  auto moving = std::make_unique<LW6KeyframeHandler>();
  moving->x.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
  moving->x.addKey(1, 8, 0, 0, 0).shape = kShapeLinear;
  node.setPosition(std::move(moving));
  node.update(0.5f, Matrix44{});
  EXPECT_FALSE(node.staticSubtree);
  expectNear(node.nodeMatrix.TransformPoint({}), {4, 0, 0});
  // A constant angle handler keeps the rotation static.
  EXPECT_TRUE(eulerOf({1, 2, 3})->isConstant());
}

TEST(Quaternion, MatchesTheAxisRotationBuilder) {
  for (const auto& [degrees, axis] : {std::pair{90.0f, Vector3{0, 0, 1}}, std::pair{-35.0f, Vector3{1, 2, -2}},
                                      std::pair{170.0f, Vector3{0, -3, 0}}}) {
    const Matrix44 expected = Matrix44{}.RotationAxis(degrees, axis);
    const Matrix44 actual = Quaternion::FromAxisAngle(degrees, axis).RotationMatrix();
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5) << degrees << "° element " << i;
  }
  // A quarter turn about z takes x to y; twice the quaternion is the same turn.
  Quaternion q = Quaternion::FromAxisAngle(90, {0, 0, 1});
  q = {2 * q.x, 2 * q.y, 2 * q.z, 2 * q.w};
  expectNear(QuaternionRotationControler(q).matrix(0).TransformPoint({1, 0, 0}), {0, 1, 0}, 1e-6f);
  expectNear(Quaternion{0, 0, 0, 0}.RotationMatrix().TransformPoint({1, 2, 3}), {1, 2, 3}, 0);
}

// ---- stored forms ---------------------------------------------------------

class Bytes {
 public:
  Bytes& text(const char* s) {
    data.insert(data.end(), s, s + std::strlen(s) + 1);
    return *this;
  }
  template <typename T>
  Bytes& value(T v) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
    data.insert(data.end(), p, p + sizeof v);
    return *this;
  }
  // One key: value, time, shape, tension, continuity, bias, param[0..3].
  Bytes& key(float value, float time, std::int32_t shape, float tension, float continuity, float bias,
             std::array<float, 4> param) {
    this->value(value).value(time).value(shape).value(tension).value(continuity).value(bias);
    for (float p : param) this->value(p);
    return *this;
  }
  std::vector<std::uint8_t> data;
};

class StoredForms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterClassFactories(); }

  template <class T>
  static std::unique_ptr<T> read(std::vector<std::uint8_t> bytes) {
    fake::MemoryStore store(std::move(bytes));
    std::unique_ptr<T> object = store.adopt<T>(readRecord(store));
    EXPECT_EQ(store.position, store.bytes.size()) << "the whole record is read";
    return object;
  }
  static std::vector<std::uint8_t> write(persistent& object) {
    fake::MemoryStore store;
    writeRecord(object, store);
    return store.bytes;
  }
};

TEST_F(StoredForms, EnvelopeKeysReadInFileOrderAndWriteBackTheSameBytes) {
  Bytes body;
  body.text("class LW6KeyframeHandler").value<std::int16_t>(0);
  // x: two keys in file order, the second earlier in time; repeat before, linear after.
  body.value<std::int32_t>(2)
      .key(1.5f, 2.0f, kShapeHermite, 0.25f, -0.5f, 0.75f, {1, 2, 3, 4})
      .key(-3.0f, 0.5f, kShapeBezier2D, 0, 0, 0, {0.1f, 0.2f, 0.3f, 0.4f})
      .value<std::int32_t>(kBehaviorRepeat)
      .value<std::int32_t>(kBehaviorLinear);
  body.value<std::int32_t>(0).value<std::int32_t>(kBehaviorReset).value<std::int32_t>(kBehaviorOffset);  // y
  body.value<std::int32_t>(1).key(7.0f, 0.0f, kShapeStepped, 0, 0, 0, {}).value<std::int32_t>(1).value<std::int32_t>(1);

  const auto handler = read<LW6KeyframeHandler>(body.data);
  ASSERT_NE(handler, nullptr);
  const EnvelopeKey* first = handler->x.keys();
  ASSERT_EQ(handler->x.keyCount(), 2);
  EXPECT_EQ(first->value, 1.5f);
  EXPECT_EQ(first->time, 2.0f);
  EXPECT_EQ(first->shape, kShapeHermite);
  EXPECT_EQ(first->tension, 0.25f);
  EXPECT_EQ(first->continuity, -0.5f);
  EXPECT_EQ(first->bias, 0.75f);
  EXPECT_EQ(first->param, (std::array<float, 4>{1, 2, 3, 4}));
  const EnvelopeKey* second = first->next.get();
  EXPECT_EQ(second->time, 0.5f);
  EXPECT_EQ(second->shape, kShapeBezier2D);
  EXPECT_EQ(second->prev, first);
  EXPECT_EQ(handler->x.lastKey(), second);
  EXPECT_EQ(handler->x.preBehavior, kBehaviorRepeat);
  EXPECT_EQ(handler->x.postBehavior, kBehaviorLinear);
  EXPECT_EQ(handler->y.keyCount(), 0);
  EXPECT_EQ(handler->y.postBehavior, kBehaviorOffset);
  EXPECT_EQ(handler->evaluate(9.0f).z, 7.0f);

  EXPECT_EQ(write(*handler), body.data);
}

TEST_F(StoredForms, TransformNodeWritesItsPartsAsRecordsWithoutTags) {
  TransformNode node;
  node.tag = 300;
  node.setPivot({1, 2, 3});
  auto angles = std::make_unique<LW6KeyframeHandler>();
  angles->y.addKey(0, 0, 0, 0, 0).shape = kShapeLinear;
  angles->y.addKey(1, 90, 0, 0, 0).shape = kShapeLinear;
  node.setRotation(std::make_unique<EulerAnglesRotationControler>(std::move(angles)));
  node.setScale(std::make_unique<ConstantKeyframeHandler>(Vector3{2, 2, 2}));
  node.setPosition(std::make_unique<ConstantKeyframeHandler>(Vector3{0, 0, 5}));
  const std::vector<std::uint8_t> bytes = write(node);

  // Header, four null links, the offset matrix, pivot flag and pivot, the
  // tag as a varint (300 is 2C 82), then the rotation's record at once.
  Bytes expected;
  expected.text("class TransformNode").value<std::int16_t>(0).value<std::uint32_t>(0);
  for (int i = 0; i < 16; ++i) expected.value(Matrix44{}.m[i]);
  expected.value<std::uint8_t>(1).value(1.0f).value(2.0f).value(3.0f).value<std::uint8_t>(0x2C).value<std::uint8_t>(0x82);
  expected.text("class EulerAnglesRotationControler");
  ASSERT_GE(bytes.size(), expected.data.size());
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + expected.data.size()), expected.data);

  const auto copy = read<TransformNode>(bytes);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->tag, 300u);
  for (float t : {0.0f, 0.5f, 1.0f})
    expectNear(copy->localMatrix(t).TransformPoint({4, 5, 6}), node.localMatrix(t).TransformPoint({4, 5, 6}));
  EXPECT_EQ(write(*copy), bytes);
}

TEST_F(StoredForms, PartOfTheWrongClassLeavesTheDefault) {
  Bytes body;
  body.text("class TransformNode").value<std::int16_t>(0).value<std::uint32_t>(0);
  for (int i = 0; i < 16; ++i) body.value(Matrix44{}.m[i]);
  body.value<std::uint8_t>(0).value(0.0f).value(0.0f).value(0.0f).value<std::uint8_t>(0x80);
  // A keyframe handler where the rotation belongs, then the two handlers.
  body.text("class ConstantKeyframeHandler").value<std::int16_t>(0).value(9.0f).value(9.0f).value(9.0f);
  body.text("class ConstantKeyframeHandler").value<std::int16_t>(0).value(1.0f).value(1.0f).value(1.0f);
  body.text("class QuaternionRotationControler").value<std::int16_t>(0).value(0.0f).value(0.0f).value(0.0f).value(1.0f);
  const auto node = read<TransformNode>(body.data);
  ASSERT_NE(node, nullptr);
  expectNear(node->localMatrix(0).TransformPoint({1, 2, 3}), {1, 2, 3}, 0);
}

}  // namespace
