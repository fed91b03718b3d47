// What the LWO2 writer writes, the reader reads back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "lwo_samples.h"

namespace {

LW::ObjectDescription sample() {
  LW::ObjectDescription object;
  object.points = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}, {1, 1, 3}};
  object.polygons = {{{0, 1, 4}, 1}, {{1, 2, 4}, 0}, {{0, 3, 2, 1}, 1}};
  object.surfaces = {{.name = "Red", .color = {1, 0, 0}, .sidedness = 3, .colorMap = "paint"},
                     {.name = "Wall",
                      .imageMaps = {{.channel = "COLR", .projection = 1, .axis = 0, .size = {2, 3, 4},
                                     .center = {0.5f, 0.25f, 0}, .rotation = {0, 0.5f, 0}, .clip = 2},
                                    {.channel = "DIFF", .projection = 5, .uvMap = "uv"}}}};
  object.clips = {{2, "maps\\wall.jpg"}};
  object.uvMaps = {{.name = "uv", .values = {{0, {0.5f, 0.25f}}, {4, {1, 1}}}, .overrides = {{4, 2, {0, 0.5f}}}}};
  object.rgbaMaps = {{.name = "paint", .values = {{1, {0.1f, 0.2f, 0.3f, 0.4f}}}, .overrides = {}}};
  return object;
}

TEST(LwoWriterTest, ObjectsComeBackAsWritten) {
  const LW::ObjectDescription written = sample();
  lwtest::Loaded loaded = lwtest::read(written);
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::Object& object = *loaded.object;
  EXPECT_EQ(object.layerCount, 1);
  EXPECT_EQ(object.points, written.points);
  EXPECT_EQ(object.tags, (std::vector<std::string>{"Red", "Wall"}));
  ASSERT_EQ(object.triangles.size(), 4u);  // two triangles and a quad
  EXPECT_EQ(object.triangleSource, (std::vector<int>{0, 1, 2, 2}));
  EXPECT_EQ(object.triangles[0].a, 0);
  EXPECT_EQ(object.triangles[0].c, 4);
  EXPECT_EQ(object.triangles[0].tag, 1);
  EXPECT_EQ(object.triangles[1].tag, 0);
  EXPECT_EQ(object.triangles[3].tag, 1);
  EXPECT_EQ(object.clips.at(2), "maps\\wall.jpg");
  const LW::UVMap& uv = object.uvMaps.at("uv");
  EXPECT_EQ(uv.values[0], (LW::UV{0.5f, 0.25f}));
  EXPECT_EQ(uv.values[4], (LW::UV{1, 1}));
  EXPECT_EQ(*uv.find(2, 4), (LW::UV{0, 0.5f}));
  EXPECT_EQ(object.colorMaps.at("paint").values[1], (LW::RGBA{0.1f, 0.2f, 0.3f, 0.4f}));

  const LW::Surface& red = *loaded.context.surfaces.at(0).surface;
  EXPECT_EQ(red.color, (std::array<float, 3>{1, 0, 0}));
  EXPECT_EQ(red.sidedness, 3);
  EXPECT_EQ(red.colorMapName, "paint");
  const LW::Surface& wall = *loaded.context.surfaces.at(1).surface;
  ASSERT_EQ(wall.colorLayers.size(), 1u);
  ASSERT_EQ(wall.diffuseLayers.size(), 1u);
  const LW::TextureLayer& map = *wall.colorLayers[0];
  EXPECT_EQ(map.projection, LW::kCylindrical);
  EXPECT_EQ(map.axis, 1);
  EXPECT_EQ(map.size, (Vector3{2, 3, 4}));
  EXPECT_EQ(map.center, (Vector3{0.5f, 0.25f, 0}));
  EXPECT_NEAR(map.rotation.x, 0.5f * 57.2957763671875f, 1e-4f);  // pitch turns about x
  EXPECT_EQ(map.imageName, "maps\\wall.jpg");
  EXPECT_EQ(wall.diffuseLayers[0]->uvMapName, "uv");
  EXPECT_EQ(wall.diffuseLayers[0]->projection, LW::kUV);
}

TEST(LwoWriterTest, LargeIndicesUseFourByteIndices) {
  LW::ObjectDescription object;
  object.points.resize(70000);
  for (std::size_t i = 0; i < object.points.size(); ++i) object.points[i] = {static_cast<float>(i % 7), static_cast<float>(i), 0};
  object.polygons = {{{65300, 69999, 3}, 0}};
  object.surfaces = {{.name = "S"}};
  lwtest::Loaded loaded = lwtest::read(object);
  ASSERT_TRUE(loaded.object) << loaded.error;
  ASSERT_EQ(loaded.object->triangles.size(), 1u);
  EXPECT_EQ(loaded.object->triangles[0].a, 65300);
  EXPECT_EQ(loaded.object->triangles[0].b, 69999);
}

TEST(LwoWriterTest, SavedFilesLoadAsMeshes) {
  lwtest::useRealGlu();
  const std::string path = (std::filesystem::temp_directory_path() / "skyward_writer_test.lwo").string();
  ASSERT_TRUE(LW::SaveLwo2(path, sample()));
  auto mesh = LW::LoadMesh(path.c_str(), nullptr);
  std::remove(path.c_str());
  ASSERT_TRUE(mesh);
  EXPECT_EQ(mesh->triangleCount(), 4u);
  EXPECT_EQ(mesh->texCoordChannelCount(), 2);
  EXPECT_FALSE(LW::SaveLwo2("/nonexistent-dir/x.lwo", sample()));
}

}  // namespace
