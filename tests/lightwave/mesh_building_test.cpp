// Objects as robust meshes: surface tags, corner colours, projections.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "lightwave/texture_projection.h"
#include "lwo_samples.h"
#include "support/log_capture.h"

namespace {

using lwtest::read;

struct Built {
  lwtest::Loaded loaded;
  std::unique_ptr<kst::RobustMesh> mesh;
};

Built build(const LW::ObjectDescription& object) {
  Built built{read(object), nullptr};
  EXPECT_TRUE(built.loaded.object) << built.loaded.error;
  if (built.loaded.object) built.mesh = LW::BuildMesh(*built.loaded.object, built.loaded.context);
  return built;
}

// The corner value of triangle t, corner k, of a channel.
template <typename Value>
Value corner(const kst::MeshChannel<Value>& channel, int t, int k) {
  return channel.values[channel.corners[3 * t + k]];
}

LW::TextureLayer layer(int projection, int axis, Vector3 size = {1, 1, 1}) {
  LW::TextureLayer l;
  l.projection = projection;
  l.axis = static_cast<std::uint8_t>(axis);
  l.size = size;
  return l;
}

LW::Object objectWithPoints(std::vector<Vector3> points) {
  LW::Object object;
  object.points = std::move(points);
  object.triangleSource = {0};
  return object;
}

TEST(ProjectionTest, PlanarOnZ) {
  const LW::Object object = objectWithPoints({{1, 1, 0}, {0, 0, 0}});
  const LW::TextureLayer planar = layer(LW::kPlanar, 3, {2, 2, 2});
  EXPECT_EQ(LW::GenerateTexCoord(planar, object, 0, 0, {}), (kst::TexCoord{1.0f, 0.0f}));
  EXPECT_EQ(LW::GenerateTexCoord(planar, object, 1, 0, {}), (kst::TexCoord{0.5f, 0.5f}));
  LW::TextureLayer moved = planar;
  moved.center = {1, 1, 0};  // the point at the centre lands in the middle
  EXPECT_EQ(LW::GenerateTexCoord(moved, object, 0, 0, {}), (kst::TexCoord{0.5f, 0.5f}));
}

TEST(ProjectionTest, CubicTakesTheAxisFromTheFaceNormal) {
  const LW::Object object = objectWithPoints({{0.5f, 0.25f, -0.5f}});
  const LW::TextureLayer cubic = layer(LW::kCubic, 1);
  // Planar on Z: (x + 0.5, 0.5 - y); on Y: (x + 0.5, 0.5 - z); on X: (z + 0.5, 0.5 - y).
  EXPECT_EQ(LW::GenerateTexCoord(cubic, object, 0, 0, {0, 0, 5}), (kst::TexCoord{1.0f, 0.25f}));
  EXPECT_EQ(LW::GenerateTexCoord(cubic, object, 0, 0, {3, 3, 1}), (kst::TexCoord{1.0f, 1.0f}));
  EXPECT_EQ(LW::GenerateTexCoord(cubic, object, 0, 0, {-4, 3, 1}), (kst::TexCoord{0.0f, 0.25f}));
}

TEST(ProjectionTest, CylindricalAndSphericalAroundY) {
  const LW::Object object = objectWithPoints({{0, 0.5f, -1}, {0, 1, 0}, {-1, 0, 0}});
  // (0, 0.5, -1): heading of (-x, z) = (0, -1) is π, so u = 1 - π / 2π = 0.5; v = 0.5 - y.
  const kst::TexCoord cylinder = LW::GenerateTexCoord(layer(LW::kCylindrical, 2), object, 0, 0, {});
  EXPECT_NEAR(cylinder.u, 0.5f, 1e-6f);
  EXPECT_NEAR(cylinder.v, 0.0f, 1e-6f);
  // (-1, 0, 0): (-x, z) = (1, 0): heading -π/2, u = 1.25.
  EXPECT_NEAR(LW::GenerateTexCoord(layer(LW::kCylindrical, 2), object, 2, 0, {}).u, 1.25f, 1e-6f);
  // The pole (0, 1, 0): heading 0, pitch π/2: (1, 0).
  const kst::TexCoord pole = LW::GenerateTexCoord(layer(LW::kSpherical, 2), object, 1, 0, {});
  EXPECT_NEAR(pole.u, 1.0f, 1e-6f);
  EXPECT_NEAR(pole.v, 0.0f, 1e-6f);
}

TEST(ProjectionTest, HeadingAndPitchRules) {
  const float pi = std::numbers::pi_v<float>;
  EXPECT_EQ(LW::Heading(0, 0), 0.0f);
  EXPECT_NEAR(LW::Heading(-1, 0), pi / 2, 1e-6f);
  EXPECT_NEAR(LW::Heading(1, 0), -pi / 2, 1e-6f);
  EXPECT_NEAR(LW::Heading(1, 1), -pi / 4, 1e-6f);
  EXPECT_NEAR(LW::Heading(1, -1), pi + pi / 4, 1e-6f);
  EXPECT_EQ(LW::Pitch(0, 0, 0), 0.0f);
  EXPECT_NEAR(LW::Pitch(0, -2, 0), -pi / 2, 1e-6f);
  EXPECT_NEAR(LW::Pitch(3, 4, 4), std::atan(4.0f / 5.0f), 1e-6f);
}

TEST(MeshBuildingTest, TrianglesKeepTheirSurfaceTags) {
  LW::ObjectDescription object = lwtest::square();
  object.surfaces.push_back({.name = "Other"});
  object.polygons[1].tag = 1;
  Built built = build(object);
  ASSERT_TRUE(built.mesh);
  EXPECT_EQ(built.mesh->triangleCount(), 2u);
  EXPECT_EQ(built.mesh->surfaceCount(), 2);
  EXPECT_EQ(built.mesh->surfaceTags(), (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(built.mesh->texCoordChannelCount(), 0);
  // No colour map: every corner white.
  for (int k = 0; k < 3; ++k) EXPECT_EQ(corner(built.mesh->colours(), 1, k), (kst::Rgba{255, 255, 255, 255}));
}

TEST(MeshBuildingTest, CornerColoursAreClampedBytesWithOverrides) {
  LW::ObjectDescription object = lwtest::square();
  object.surfaces[0].colorMap = "paint";
  object.rgbaMaps = {{.name = "paint",
                      .values = {{0, {1.5f, -0.2f, 0.5f, 1.0f}}, {2, {std::nanf(""), 1.0f, 1.0f, 1.0f}}},
                      .overrides = {{0, 1, {0.0f, 0.0f, 1.0f, 0.0f}}}}};
  Built built = build(object);
  ASSERT_TRUE(built.mesh);
  const auto& colours = built.mesh->colours();
  EXPECT_EQ(corner(colours, 0, 0), (kst::Rgba{255, 0, 127, 255}));  // 0.5 * 255 = 127.5, truncated
  EXPECT_EQ(corner(colours, 0, 1), (kst::Rgba{255, 255, 255, 255}));  // point 1 never set: white
  EXPECT_EQ(corner(colours, 1, 0), (kst::Rgba{0, 0, 255, 0}));        // polygon 1's override of point 0
  EXPECT_EQ(corner(colours, 0, 2), (kst::Rgba{0, 255, 255, 255}));    // a damaged value (NaN) counts as 0
}

TEST(MeshBuildingTest, UVLayersTakeOverridesAndFlipV) {
  LW::ObjectDescription object = lwtest::square();
  object.surfaces[0].imageMaps = {{.projection = 5, .uvMap = "uv"}};
  object.uvMaps = {{.name = "uv",
                    .values = {{0, {0.0f, 0.0f}}, {1, {1.0f, 0.0f}}, {2, {1.0f, 1.0f}}, {3, {0.0f, 1.0f}}},
                    .overrides = {{2, 1, {0.25f, 0.75f}}}}};
  Built built = build(object);
  ASSERT_TRUE(built.mesh);
  ASSERT_EQ(built.mesh->texCoordChannelCount(), 1);
  const auto& uv = built.mesh->texCoords(0);
  EXPECT_EQ(corner(uv, 0, 0), (kst::TexCoord{0.0f, 1.0f}));
  EXPECT_EQ(corner(uv, 0, 2), (kst::TexCoord{1.0f, 0.0f}));    // polygon 0 keeps the point's value
  EXPECT_EQ(corner(uv, 1, 1), (kst::TexCoord{0.25f, 0.25f}));  // polygon 1, point 2: the override
}

TEST(MeshBuildingTest, UVLayersNeedAKnownMap) {
  fake::LogCapture log;
  LW::ObjectDescription object = lwtest::square();
  object.surfaces[0].imageMaps = {{.projection = 5}};
  lwtest::Loaded loaded = read(object);
  ASSERT_TRUE(loaded.object);
  EXPECT_THROW(LW::BuildMesh(*loaded.object, loaded.context), LW::LoadError);
  object.surfaces[0].imageMaps[0].uvMap = "absent";
  loaded = read(object);
  EXPECT_THROW(LW::BuildMesh(*loaded.object, loaded.context), LW::LoadError);
  EXPECT_NE(log.text().find("Error !! VMAP name is empty !!"), std::string::npos);
  EXPECT_NE(log.text().find("Error !! Unknown VMAP : 'absent' !"), std::string::npos);
}

TEST(MeshBuildingTest, OneOrTwoCoordinateSets) {
  LW::ObjectDescription object = lwtest::square();
  object.surfaces[0].imageMaps = {{.channel = "COLR", .projection = 0, .size = {2, 2, 2}}};
  Built one = build(object);
  ASSERT_TRUE(one.mesh);
  EXPECT_EQ(one.mesh->texCoordChannelCount(), 1);
  // Corner (1, 1, 0) of the first triangle on Z with size 2: (1, 0).
  EXPECT_EQ(corner(one.mesh->texCoords(0), 0, 2), (kst::TexCoord{1.0f, 0.0f}));

  object.surfaces[0].imageMaps.push_back({.channel = "DIFF", .projection = 0, .size = {1, 1, 1}});
  Built two = build(object);
  ASSERT_TRUE(two.mesh);
  ASSERT_EQ(two.mesh->texCoordChannelCount(), 2);
  EXPECT_EQ(corner(two.mesh->texCoords(1), 0, 2), (kst::TexCoord{1.5f, -0.5f}));
}

}  // namespace
