// The IFF frame, layers, points, tags, vertex maps and clips.
#include <gtest/gtest.h>

#include <string>

#include "lwo_samples.h"
#include "support/log_capture.h"

namespace {

using lwtest::read;

std::vector<std::uint8_t> withLayers(int layers) {
  LW::ObjectDescription object = lwtest::square();
  object.layers = layers;
  return LW::WriteLwo2(object);
}

TEST(ObjectFormTest, TheFormLengthMustMatchTheFileSize) {
  fake::LogCapture log;
  std::vector<std::uint8_t> bytes = withLayers(1);
  ASSERT_TRUE(read(bytes).object);
  bytes.push_back(0);  // one byte more than form length + 8
  EXPECT_EQ(read(bytes).error, "Corrupted IFF length.");
  bytes.resize(bytes.size() - 2);
  EXPECT_EQ(read(bytes).error, "Corrupted IFF length.");
  EXPECT_NE(log.text().find("Error !! Corrupted IFF length.\n\n"), std::string::npos);
}

TEST(ObjectFormTest, OnlyIffFormsOfTypeLwo2AreObjects) {
  std::vector<std::uint8_t> bytes = withLayers(1);
  bytes[0] = 'X';
  EXPECT_EQ(read(bytes).error, "This is not an IFF-file.");
  EXPECT_EQ(read(std::vector<std::uint8_t>{'F', 'O'}).error, "This is not an IFF-file.");
  bytes = withLayers(1);
  bytes[11] = 'B';  // LWOB: an older object, not read and not an error
  auto loaded = read(bytes);
  EXPECT_TRUE(loaded.error.empty());
  EXPECT_FALSE(loaded.object);
}

TEST(ObjectFormTest, ASecondLayerFailsTheLoad) {
  EXPECT_EQ(read(withLayers(1)).object->layerCount, 1);
  EXPECT_EQ(read(withLayers(2)).error, "Objects with multiple layers are not yet supported.");
  // Even when the first layer holds nothing.
  LW::IffWriter out;
  for (int i = 0; i < 2; ++i) out.beginChunk("LAYR"), out.end();
  EXPECT_EQ(read(out.bytes()).error, "Objects with multiple layers are not yet supported.");
}

TEST(ObjectFormTest, AChunkLongerThanItsFormIsCorrupted) {
  LW::IffWriter out;
  out.beginChunk("PNTS");
  for (int i = 0; i < 3; ++i) out.F4(1.0f);
  out.end();
  std::vector<std::uint8_t> bytes = out.bytes();
  bytes[19] = 13;  // PNTS claims 13 bytes, 12 are there
  EXPECT_EQ(read(bytes).error, "Corrupted IFF length.");
}

TEST(ObjectFormTest, ASubChunkLongerThanItsParentIsCorrupted) {
  LW::ObjectDescription object = lwtest::square();
  std::vector<std::uint8_t> bytes = LW::WriteLwo2(object);
  // The SIDE sub-chunk of the surface: claim more than SURF holds.
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t side = text.find("SIDE");
  ASSERT_NE(side, std::string::npos);
  bytes[side + 5] = 0x40;
  EXPECT_EQ(read(bytes).error, "Corrupted IFF length.");
}

TEST(ObjectFormTest, UnknownChunksAreSkippedByTheirLength) {
  LW::IffWriter out;
  out.beginChunk("BBOX");
  for (int i = 0; i < 6; ++i) out.F4(9.0f);
  out.end();
  out.beginChunk("PNTS");
  out.F4(1.0f), out.F4(2.0f), out.F4(3.0f);
  out.F4(4.0f);  // a stray float: 16 / 12 = one point
  out.end();
  auto loaded = read(out.bytes());
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(loaded.object->points, (std::vector<Vector3>{{1, 2, 3}}));
}

TEST(ObjectFormTest, VertexMapsHoldOneValuePerPointAndSkipForeignPoints) {
  LW::ObjectDescription object = lwtest::square();
  object.uvMaps = {{.name = "uv", .values = {{1, {0.25f, 0.75f}}, {4, {9.0f, 9.0f}}}, .overrides = {}}};
  object.rgbMaps = {{.name = "rgb", .values = {{2, {0.5f, 0.25f, 0.0f}}}, .overrides = {}}};
  auto loaded = read(object);
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::UVMap& uv = loaded.object->uvMaps.at("uv");
  EXPECT_EQ(uv.values, (std::vector<LW::UV>{{0, 0}, {0.25f, 0.75f}, {0, 0}, {0, 0}}));
  const LW::ColorMap& rgb = loaded.object->colorMaps.at("rgb");
  ASSERT_EQ(rgb.values.size(), 4u);
  EXPECT_EQ(rgb.values[0], (LW::RGBA{1, 1, 1, 1}));
  EXPECT_EQ(rgb.values[2], (LW::RGBA{0.5f, 0.25f, 0.0f, 1.0f}));
}

TEST(ObjectFormTest, DiscontinuousMapsOverrideCornersOfPolygons) {
  LW::ObjectDescription object = lwtest::square();
  object.uvMaps = {{.name = "uv", .values = {{0, {0.5f, 0.5f}}}, .overrides = {{0, 1, {0.1f, 0.2f}}, {9, 1, {0, 0}}}}};
  object.rgbaMaps = {{.name = "paint", .values = {}, .overrides = {{2, 0, {0.0f, 1.0f, 0.0f, 0.5f}}}}};
  auto loaded = read(object);
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::UVMap& uv = loaded.object->uvMaps.at("uv");
  ASSERT_TRUE(uv.overrides);
  EXPECT_EQ(uv.overrides->size(), 1u);  // the record for point 9 is rejected
  EXPECT_EQ(*uv.find(1, 0), (LW::UV{0.1f, 0.2f}));
  EXPECT_EQ(*uv.find(0, 0), (LW::UV{0.5f, 0.5f}));
  EXPECT_EQ(*loaded.object->colorMaps.at("paint").find(0, 2), (LW::RGBA{0.0f, 1.0f, 0.0f, 0.5f}));
}

TEST(ObjectFormTest, AColourOverrideNeedsItsMap) {
  LW::IffWriter out;
  out.beginChunk("PNTS");
  for (int i = 0; i < 3; ++i) out.F4(0.0f);
  out.end();
  out.beginChunk("VMAD");
  out.ID4("RGBA");
  out.U2(4);
  out.S0("nowhere");
  out.VX(0), out.VX(0);
  for (int i = 0; i < 4; ++i) out.F4(1.0f);
  out.end();
  auto loaded = read(out.bytes());
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_TRUE(loaded.object->colorMaps.empty());
}

TEST(ObjectFormTest, TagsNameSharedSurfacesAndClipsNameImages) {
  LW::ObjectDescription object = lwtest::square();
  object.surfaces.push_back({.name = "Other"});
  object.polygons[1].tag = 1;
  object.clips = {{3, "images\\wall.png"}};
  auto loaded = read(object);
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(loaded.object->tags, (std::vector<std::string>{"Skin", "Other"}));
  EXPECT_EQ(loaded.context.surfaceNames, (std::vector<std::string>{"::Skin", "::Other"}));
  EXPECT_EQ(loaded.object->triangles[0].tag, 0);
  EXPECT_EQ(loaded.object->triangles[1].tag, 1);
  EXPECT_TRUE(loaded.object->tagSurfaces[1].used);
  EXPECT_EQ(loaded.object->clips.at(3), "images\\wall.png");
}

}  // namespace
