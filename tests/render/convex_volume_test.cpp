#include <gtest/gtest.h>

#include <vector>

#include "render/convex_volume.h"

namespace {

using ParallelError = decltype(Plane3d::kParallel);
using VolumeError = decltype(ConvexVolume::kTooManyPlanes);

TEST(Plane3dTest, FromCoefficientsIsNormalised) {
  Plane3d plane(0, 0, 2, -4);
  EXPECT_EQ(plane.normal(), (Vector3{0, 0, 1}));
  EXPECT_FLOAT_EQ(plane.d(), -2.0f);
  EXPECT_FALSE(plane.pointKnown());
  EXPECT_EQ(plane.Point(), (Vector3{0, 0, 2}));
  EXPECT_TRUE(plane.pointKnown());

  // The derived point lies on the plane for each kind of normal.
  for (Plane3d other : {Plane3d(3, 0, 0, 6), Plane3d(0, 2, 0, 1), Plane3d(1, 1, 1, -3)})
    EXPECT_NEAR(other.Distance(other.Point()), 0.0f, 1e-5f);
}

TEST(Plane3dTest, FromNormalAndPointAndFromThreePoints) {
  Plane3d byNormal({0, 2, 0}, {1, 3, 1});
  EXPECT_EQ(byNormal.normal(), (Vector3{0, 2, 0}));  // kept as given
  EXPECT_FLOAT_EQ(byNormal.d(), -6.0f);
  EXPECT_EQ(byNormal.Point(), (Vector3{1, 3, 1}));

  Plane3d byPoints({0, 0, 1}, {1, 0, 1}, {0, 1, 1});
  EXPECT_EQ(byPoints.normal(), (Vector3{0, 0, 1}));
  EXPECT_FLOAT_EQ(byPoints.d(), -1.0f);
  EXPECT_EQ(byPoints.Point(), (Vector3{1, 0, 1}));

  EXPECT_TRUE(Plane3d(0, 0, 2, -2).Equals(byPoints));
  EXPECT_TRUE(Plane3d(0, 0, 1, -1.00005f).Equals(byPoints));
  EXPECT_FALSE(Plane3d(0, 0, 1, -1.001f).Equals(byPoints));
  EXPECT_FALSE(Plane3d(0, 1, 0, -1).Equals(byPoints));
}

TEST(Plane3dTest, IntersectLine) {
  Plane3d plane(0, 0, 1, -2);
  EXPECT_FLOAT_EQ(plane.IntersectLine({5, 5, 0}, {0, 0, 4}), 0.5f);
  EXPECT_FLOAT_EQ(plane.IntersectLine({0, 0, 3}, {1, 0, 1}), -1.0f);
  EXPECT_THROW(plane.IntersectLine({0, 0, 0}, {1, 1, 0}), ParallelError);
}

ConvexVolume UnitCube() {
  ConvexVolume cube;
  cube.AddPlane(Plane3d(1, 0, 0, 1));
  cube.AddPlane(Plane3d(-1, 0, 0, 1));
  cube.AddPlane(Plane3d(0, 1, 0, 1));
  cube.AddPlane(Plane3d(0, -1, 0, 1));
  cube.AddPlane(Plane3d(0, 0, 1, 1));
  EXPECT_EQ(cube.AddPlane(Plane3d({0, 0, -3}, {0, 0, 1})), 6u);  // normalised on the way in
  return cube;
}

TEST(ConvexVolumeTest, PointAndBoxTests) {
  ConvexVolume cube = UnitCube();
  EXPECT_FLOAT_EQ(cube.plane(5).normal().z, -1.0f);
  EXPECT_FLOAT_EQ(cube.plane(5).d(), 1.0f);
  EXPECT_TRUE(cube.Contains({0, 0, 0}));
  EXPECT_TRUE(cube.Contains({1, 1, 1}));  // the boundary is inside
  EXPECT_TRUE(cube.IsPointOutside({1.01f, 0, 0}));

  const float crossing[6] = {0.5f, 0.5f, 0.5f, 3, 3, 3};
  const float touching[6] = {1, -1, -1, 2, 1, 1};
  const float outside[6] = {1.1f, -1, -1, 2, 1, 1};
  EXPECT_FALSE(cube.IsBoxOutside(crossing));
  EXPECT_FALSE(cube.IsBoxOutside(touching));
  EXPECT_TRUE(cube.IsBoxOutside(outside));

  // A plane with every point on or behind it makes the set outside.
  const std::vector<Vector3> onFace{{1, 0, 0}, {1, 1, 1}, {2, 0, 0}};
  const std::vector<Vector3> spanning{{2, 0, 0}, {0, 0, 0}};
  EXPECT_TRUE(cube.ArePointsOutside(onFace));
  EXPECT_FALSE(cube.ArePointsOutside(spanning));

  EXPECT_FLOAT_EQ(cube.FirstHit({0, 0, 0}, {1, 0, 0}, 0xFFFFFFFF), 1.0f);
  EXPECT_FLOAT_EQ(cube.FirstHit({-3, 0, 0}, {1, 0, 0}, 0b1), 2.0f);
  EXPECT_LT(cube.FirstHit({0, 0, 0}, {1, 0, 0}, 0b1100), 0.0f);  // parallel planes only

  cube.Clear();
  EXPECT_EQ(cube.count(), 0u);
  EXPECT_TRUE(cube.Contains({100, 0, 0}));
}

// Planes left out cannot make a box outside; `crossed` names the tested
// planes a box is not inside of with room to spare.
TEST(ConvexVolumeTest, PlanesCanBeLeftOutAndCrossedOnesAreNamed) {
  ConvexVolume cube = UnitCube();  // planes x >= -1, x <= 1, y >= -1, y <= 1, z >= -1, z <= 1
  const float across[6] = {0.5f, -0.5f, -0.5f, 1.5f, 0.5f, 0.5f};  // across x = 1
  const float touching[6] = {-1, -0.5f, -0.5f, 0, 0.5f, 0.5f};    // on x = -1 from inside
  const float within[6] = {-0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f};
  const float barely[6] = {0, -0.5f, -0.5f, 0.99999f, 0.5f, 0.5f};  // inside x = 1 by less than rounding may err
  const float beyond[6] = {1.5f, -0.5f, -0.5f, 2, 0.5f, 0.5f};    // past x = 1
  std::uint32_t crossed = 0;
  EXPECT_FALSE(cube.IsBoxOutside(across, ConvexVolume::kAllPlanes, crossed));
  EXPECT_EQ(crossed, 0b10u);
  EXPECT_FALSE(cube.IsBoxOutside(across, 0b111100u, crossed));  // the x planes left out
  EXPECT_EQ(crossed, 0u);
  EXPECT_FALSE(cube.IsBoxOutside(touching, ConvexVolume::kAllPlanes, crossed));
  EXPECT_EQ(crossed, 0b1u);
  EXPECT_FALSE(cube.IsBoxOutside(within, ConvexVolume::kAllPlanes, crossed));
  EXPECT_EQ(crossed, 0u);
  EXPECT_FALSE(cube.IsBoxOutside(barely, ConvexVolume::kAllPlanes, crossed));
  EXPECT_EQ(crossed, 0b10u);
  EXPECT_TRUE(cube.IsBoxOutside(beyond, ConvexVolume::kAllPlanes, crossed));
  EXPECT_FALSE(cube.IsBoxOutside(beyond, ~0b10u, crossed));

  persist::BoundingBox box;
  box.grow({1.5f, -0.5f, -0.5f});
  box.grow({2, 0.5f, 0.5f});
  const OrientedBox placed = OrientedBox::FromBox(box, Matrix44{});
  EXPECT_TRUE(cube.IsOrientedBoxOutside(placed, 0b10u));
  EXPECT_FALSE(cube.IsOrientedBoxOutside(placed, ~0b10u));
}

TEST(ConvexVolumeTest, ThirtyThirdPlaneIsRefused) {
  ClipVolume volume;
  for (int i = 0; i < 32; ++i) volume.AddPlane(Plane3d(1, 0, 0, static_cast<float>(i)));
  EXPECT_THROW(volume.AddPlane(Plane3d(0, 1, 0, 0)), VolumeError);
  EXPECT_EQ(volume.count(), 32u);
}


// A unit cube turned 45 degrees about z reaches 0.5·(cos 45° + sin 45°) =
// 0.7071 along x from its centre, not 0.5: just outside x >= 0 with its
// centre at x = −0.8, across it at −0.6. Scaling by 2 doubles the reach.
TEST(ConvexVolumeTest, TurnedBoxIsTestedByItsCorners) {
  ConvexVolume halfSpace;
  halfSpace.AddPlane(Plane3d(1, 0, 0, 0));
  persist::BoundingBox cube;
  cube.grow({-0.5f, -0.5f, -0.5f});
  cube.grow({0.5f, 0.5f, 0.5f});
  auto placed = [&](float x, float scale) {
    Matrix44 turn, size, move;
    turn.RotationZ(45.0f);
    size.Scaling(scale, scale, scale);
    move.Translation(x, 0, 0);
    return OrientedBox::FromBox(cube, Multiply(move, Multiply(turn, size)));
  };
  EXPECT_TRUE(halfSpace.IsOrientedBoxOutside(placed(-0.8f, 1)));
  EXPECT_FALSE(halfSpace.IsOrientedBoxOutside(placed(-0.6f, 1)));
  EXPECT_FALSE(halfSpace.IsOrientedBoxOutside(placed(-1.3f, 2)));
  EXPECT_TRUE(halfSpace.IsOrientedBoxOutside(placed(-1.5f, 2)));
  EXPECT_NEAR(placed(0, 2).Reach({1, 0, 0}), 1.41421f, 1e-4f);
}

}  // namespace
