// Objects as robust meshes: surface tags, corner colours, projections.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
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

// Every projection on every axis through a moved, stretched and rotated
// layer, as written to a file. The expected coordinates are printed by
// projection_values.py beside this file, which applies LightWave's mapping
// rules on its own: the rotations (P, -H, -B) degrees combined as
// Ry * Rx * Rz, then the projection's rule for q = M (p - centre).
TEST(MeshBuildingTest, RotatedLayersProjectOnEveryAxis) {
  struct Case {
    int projection;
    int axis;  // as the file writes it: 0 X, 1 Y, 2 Z
    std::vector<std::vector<std::uint32_t>> triangles;
    std::map<std::uint32_t, kst::TexCoord> uv;  // by point
  };
  const std::vector<Case> cases = {
      {LW::kPlanar, 0, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.753117f, 0.193154f}}, {1, {0.849708f, 0.456549f}}, {2, {0.115450f, 0.021013f}},
        {3, {0.088808f, 1.193792f}}}},
      {LW::kPlanar, 1, {{0, 1, 2}, {0, 2, 3}},
       {{0, {1.238002f, 0.246883f}}, {1, {-0.297385f, 0.150292f}}, {2, {-0.193796f, 0.884550f}},
        {3, {0.078168f, 0.911192f}}}},
      {LW::kPlanar, 2, {{0, 1, 2}, {0, 2, 3}},
       {{0, {1.238002f, 0.193154f}}, {1, {-0.297385f, 0.456549f}}, {2, {-0.193796f, 0.021013f}},
        {3, {0.078168f, 1.193792f}}}},
      {LW::kCylindrical, 0, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.372562f, -0.238002f}}, {1, {0.265768f, 1.297385f}}, {2, {0.625282f, 1.193796f}},
        {3, {0.898521f, 0.921832f}}}},
      {LW::kCylindrical, 1, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.832648f, 0.193154f}}, {1, {1.149542f, 0.456549f}}, {2, {0.368698f, 0.021013f}},
        {3, {0.412185f, 1.193792f}}}},
      {LW::kCylindrical, 2, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.669437f, 0.246883f}}, {1, {0.261543f, 0.150292f}}, {2, {0.368417f, 0.884550f}},
        {3, {1.068093f, 0.911192f}}}},
      {LW::kSpherical, 0, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.372562f, 0.214056f}}, {1, {0.265768f, 0.798338f}}, {2, {0.625282f, 0.708228f}},
        {3, {0.898521f, 0.611796f}}}},
      {LW::kSpherical, 1, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.832648f, 0.357217f}}, {1, {1.149542f, 0.481350f}}, {2, {0.368698f, 0.310750f}},
        {3, {0.412185f, 0.772105f}}}},
      {LW::kSpherical, 2, {{0, 1, 2}, {0, 2, 3}},
       {{0, {0.669437f, 0.352431f}}, {1, {0.261543f, 0.299483f}}, {2, {0.368417f, 0.690014f}},
        {3, {1.068093f, 0.688792f}}}},
      {LW::kCubic, 1, {{4, 5, 6}, {7, 8, 9}, {10, 11, 12}},
       {{4, {0.465827f, 0.470288f}}, {5, {0.461109f, 0.007333f}}, {6, {0.798220f, 0.177286f}},
        {7, {0.129427f, 0.535127f}}, {8, {0.601497f, 0.654960f}}, {9, {0.557488f, 0.239978f}},
        {10, {0.458452f, 0.396408f}}, {11, {0.864717f, 0.033073f}}, {12, {0.162658f, -0.063966f}}}},
  };
  LW::ObjectDescription object;
  object.points = {{0.9f, -0.4f, 1.3f}, {-1.1f, 0.6f, 0.5f}, {0.35f, 1.2f, -0.8f}, {-0.6f, -0.9f, -1.4f},
                   {0.0f, 0.0f, 0.0f},  {0.2f, 1.0f, 0.1f},  {0.1f, 0.3f, 1.0f},   {0.0f, 0.5f, 0.0f},
                   {1.0f, 0.6f, 0.2f},  {0.3f, 0.4f, 1.0f},  {0.0f, 0.0f, 0.5f},   {1.0f, 0.2f, 0.6f},
                   {0.3f, 1.0f, 0.4f}};
  for (std::size_t c = 0; c < cases.size(); ++c) {
    object.surfaces.push_back({.name = "layer " + std::to_string(c),
                               .imageMaps = {{.projection = cases[c].projection,
                                              .axis = cases[c].axis,
                                              .size = {1.5f, 2.0f, 2.5f},
                                              .center = {0.1f, -0.2f, 0.15f},
                                              .rotation = {0.4f, -0.3f, 0.6f}}}});
    for (const auto& triangle : cases[c].triangles) object.polygons.push_back({triangle, static_cast<std::uint16_t>(c)});
  }
  Built built = build(object);
  ASSERT_TRUE(built.mesh);
  ASSERT_EQ(built.mesh->triangleCount(), object.polygons.size());
  const auto& uv = built.mesh->texCoords(0);
  for (std::size_t t = 0; t < object.polygons.size(); ++t) {
    const std::uint16_t tag = object.polygons[t].tag;
    SCOPED_TRACE("case " + std::to_string(tag) + ", triangle " + std::to_string(t));
    for (int k = 0; k < 3; ++k) {
      const kst::TexCoord expected = cases[tag].uv.at(built.mesh->triangles()[3 * t + k]);
      const kst::TexCoord actual = corner(uv, static_cast<int>(t), k);
      EXPECT_NEAR(actual.u, expected.u, 1e-5f) << "corner " << k;
      EXPECT_NEAR(actual.v, expected.v, 1e-5f) << "corner " << k;
    }
  }
}

}  // namespace
