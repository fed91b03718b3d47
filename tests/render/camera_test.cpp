#include <gtest/gtest.h>

#include "render/camera.h"

namespace {

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

Camera LookingAlongZ() { return Camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.375f); }

TEST(CameraTest, BasisAndViewMatrixOfTheLeftHandedWorld) {
  Camera camera = LookingAlongZ();
  ExpectNear(camera.forward(), {0, 0, 1});
  ExpectNear(camera.side(), {1, 0, 0});
  ExpectNear(camera.up(), {0, 1, 0});
  // Eye space looks down −z; x stays right: the world is mirrored in z.
  ExpectNear(camera.ViewMatrix().TransformPoint({0, 0, 5}), {0, 0, -5});
  ExpectNear(camera.ViewMatrix().TransformPoint({2, 3, 5}), {2, 3, -5});

  Camera moved({10, 0, 0}, {10, 0, 4}, {0, 1, 0}, 1.0f, 100.0f, 0.5f, 0.5f);
  ExpectNear(moved.ViewMatrix().TransformPoint({10, 0, 4}), {0, 0, -4});
}

TEST(CameraTest, ProjectionElements) {
  Camera camera = LookingAlongZ();
  const Matrix44& p = camera.ProjectionMatrix();
  EXPECT_FLOAT_EQ(p.m[0], 2.0f);
  EXPECT_NEAR(p.m[5], 2.667f, 1e-3f);
  EXPECT_FLOAT_EQ(p.m[10], -101.0f / 99.0f);
  EXPECT_FLOAT_EQ(p.m[14], -200.0f / 99.0f);
  EXPECT_EQ(p.m[11], -1.0f);
  EXPECT_EQ(p.m[15], 0.0f);
  EXPECT_EQ(p.m[1], 0.0f);
  EXPECT_EQ(p.m[12], 0.0f);
}

TEST(CameraTest, CachesAreBuiltOnceAndDroppedBySetters) {
  Camera camera = LookingAlongZ();
  const Matrix44* projection = &camera.ProjectionMatrix();
  EXPECT_EQ(projection, &camera.ProjectionMatrix());
  EXPECT_EQ(&camera.Frustum(), &camera.Frustum());

  camera.SetNear(2.0f);  // zooming in: same window, narrower view
  EXPECT_FLOAT_EQ(camera.ProjectionMatrix().m[0], 4.0f);
  camera.SetEye({0, 0, -5});
  ExpectNear(camera.ViewMatrix().TransformPoint({0, 0, 0}), {0, 0, -5});
  camera.SetTarget({0, 0, 10});
  camera.SetUp({0, 1, 0});
  camera.SetFar(50.0f);
  camera.SetHalfHeight(1.0f);
  camera.SetHalfWidth(1.0f);
  EXPECT_FLOAT_EQ(camera.ProjectionMatrix().m[5], 2.0f);
  EXPECT_TRUE(camera.Frustum().Contains({0, 0, 40}));
  EXPECT_FALSE(camera.Frustum().Contains({0, 0, 46}));
}

TEST(CameraTest, CopiesAndTransformedCameras) {
  Camera original = LookingAlongZ();
  Camera copy(original);
  copy = copy;
  EXPECT_FLOAT_EQ(copy.ProjectionMatrix().m[0], 2.0f);

  const Matrix44 move = Multiply(Matrix44{}.Translation(0, 0, 10), Matrix44{}.RotationX(90));
  Camera moved = original.Transformed(move);
  ExpectNear(moved.eye(), {0, 0, 10});
  ExpectNear(moved.target(), {0, -1, 10});
  ExpectNear(moved.upHint(), {0, 0, 1});  // a direction: no translation
  EXPECT_EQ(moved.farDistance(), 100.0f);
  EXPECT_EQ(moved.halfWidth(), 0.5f);
}

TEST(CameraTest, FrustumCullsBoxes) {
  Camera camera = LookingAlongZ();
  const ClipVolume& frustum = camera.Frustum();
  ASSERT_EQ(frustum.count(), 6u);
  // Every plane faces into the view: a point straight ahead is inside.
  for (std::uint32_t i = 0; i < 6; ++i) EXPECT_GT(frustum.plane(i).Distance({0, 0, 50}), 0.0f) << i;

  const float straddlingNear[6] = {-0.1f, -0.1f, 0.5f, 0.1f, 0.1f, 1.5f};
  const float behindEye[6] = {-1, -1, -3, 1, 1, -2};
  const float offToTheRight[6] = {60, -1, 9, 62, 1, 11};
  const float beyondFar[6] = {-1, -1, 101, 1, 1, 102};
  EXPECT_FALSE(frustum.IsBoxOutside(straddlingNear));
  EXPECT_TRUE(frustum.IsBoxOutside(behindEye));
  EXPECT_TRUE(frustum.IsBoxOutside(offToTheRight));
  EXPECT_TRUE(frustum.IsBoxOutside(beyondFar));
  // At distance 10 the window reaches x = 5 and y = 3.75.
  EXPECT_TRUE(frustum.Contains({4.9f, 3.7f, 10}));
  EXPECT_FALSE(frustum.Contains({5.1f, 0, 10}));
  EXPECT_FALSE(frustum.Contains({0, -3.8f, 10}));
}

}  // namespace
