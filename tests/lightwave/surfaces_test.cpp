// SURF and its sub-chunks: values, vertex colours, texture blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "lwo_samples.h"
#include "support/log_capture.h"

namespace {

using lwtest::read;

const LW::Surface& onlySurface(const lwtest::Loaded& loaded) { return *loaded.context.surfaces.at(0).surface; }

// The square whose surface "Skin" holds the sub-chunks that `body` writes.
template <typename Body>
std::vector<std::uint8_t> squareWithSurface(Body body, const char* surfaceName = "Skin") {
  const LW::ObjectDescription object = lwtest::square();
  // TAGS names "Skin" so that PTAG registers it; then the custom SURF.
  LW::IffWriter out;
  out.beginChunk("TAGS");
  out.S0("Skin");
  out.end();
  out.beginChunk("PNTS");
  for (const Vector3& p : object.points) out.F4(p.x), out.F4(p.y), out.F4(p.z);
  out.end();
  out.beginChunk("VMAP");
  out.ID4("RGB ");
  out.U2(3);
  out.S0("paint");
  out.end();
  out.beginChunk("POLS");
  out.ID4("FACE");
  lwtest::writePolygons(out, {{0, 1, 2}, {0, 2, 3}});
  out.end();
  out.beginChunk("PTAG");
  out.ID4("SURF");
  out.VX(0), out.U2(0), out.VX(1), out.U2(0);
  out.end();
  out.beginChunk("SURF");
  out.S0(surfaceName);
  out.S0("");
  body(out);
  out.end();
  return out.bytes();
}

void floatChunk(LW::IffWriter& out, const char* id, float value) {
  out.beginSubChunk(id);
  out.F4(value);
  out.VX(0);
  out.end();
}

void vertexColours(LW::IffWriter& out, float intensity, const char* type, const char* name) {
  out.beginSubChunk("VCOL");
  out.F4(intensity);
  out.VX(0);
  out.ID4(type);
  out.S0(name);
  out.end();
}

void imageBlock(LW::IffWriter& out, const LW::ImageMapDescription& map) {
  LW::ObjectDescription one = lwtest::square();
  one.surfaces[0].imageMaps = {map};
  // Copy the BLOK the writer makes for `map` into this surface.
  const std::vector<std::uint8_t> bytes = LW::WriteLwo2(one);
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t start = text.find("BLOK");
  const std::size_t length = std::size_t{bytes[start + 4]} << 8 | bytes[start + 5];
  for (std::size_t i = start; i < start + 6 + length; ++i) out.raw(bytes[i]);
}

TEST(SurfacesTest, ValuesAndDefaults) {
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) {
    out.beginSubChunk("COLR");
    out.F4(0.25f), out.F4(0.5f), out.F4(0.75f), out.VX(0);
    out.end();
    floatChunk(out, "DIFF", 0.8f);
    floatChunk(out, "GLOS", 0.5f);
    out.beginSubChunk("SIDE"), out.U2(3), out.end();
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::Surface& surface = onlySurface(loaded);
  EXPECT_EQ(surface.name, "::Skin");
  EXPECT_EQ(surface.color, (std::array<float, 3>{0.25f, 0.5f, 0.75f}));
  EXPECT_FLOAT_EQ(surface.diffuse, 0.8f);
  EXPECT_FLOAT_EQ(surface.glossiness, 128.0f);  // 2^(10 * 0.5 + 2)
  EXPECT_EQ(surface.sidedness, 3);
  EXPECT_FLOAT_EQ(surface.bump, 1.0f);
  EXPECT_NEAR(LW::Surface("x").glossiness, 64.0f, 1e-4f);  // 2^(10 * 0.4 + 2)
}

TEST(SurfacesTest, ASurfaceNoTagNamesIsSkipped) {
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) { floatChunk(out, "DIFF", 0.8f); }, "Elsewhere"));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_FLOAT_EQ(onlySurface(loaded).diffuse, 0.0f);
  EXPECT_EQ(loaded.context.surfaces.size(), 1u);
}

TEST(SurfacesTest, VertexColoursNeedAKnownMapAndFullIntensity) {
  fake::LogCapture log;
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) {
    vertexColours(out, 1.0f, "RGB ", "missing");
    vertexColours(out, 1.0f, "WGHT", "paint");
    vertexColours(out, 0.5f, "RGBA", "paint");
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(onlySurface(loaded).colorMapName, "paint");
  const std::string text = log.text();
  EXPECT_NE(text.find("** [WARNING] unknown color vmap : \"missing\""), std::string::npos);
  EXPECT_NE(text.find("Unsupported color vmap type : WGHT"), std::string::npos);
  EXPECT_NE(text.find("** [WARNING] color vmap intensity was 50.0% is forced to 100%"), std::string::npos);
}

TEST(SurfacesTest, VertexColoursThenABlockGiveExactlyOneLayer) {
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) {
    vertexColours(out, 1.0f, "RGB ", "paint");
    imageBlock(out, {});
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(onlySurface(loaded).colorLayers.size(), 1u);
  EXPECT_EQ(onlySurface(loaded).colorMapName, "paint");
}

TEST(SurfacesTest, BlocksArePlacedByChannelWithBlendWarnings) {
  fake::LogCapture log;
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) {
    imageBlock(out, {.channel = "COLR", .blendMode = 3});      // multiply first: warned, still used
    imageBlock(out, {.channel = "COLR", .blendMode = 0});      // normal second: warned
    imageBlock(out, {.channel = "DIFF"});
    imageBlock(out, {.channel = "TRAN", .opacity = 0.5f});     // warned
    imageBlock(out, {.channel = "BUMP"});                      // unsupported: dropped
    imageBlock(out, {.channel = "DIFF", .enabled = false});    // disabled: dropped
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::Surface& surface = onlySurface(loaded);
  ASSERT_EQ(surface.colorLayers.size(), 2u);
  EXPECT_EQ(surface.colorLayers[0]->blendMode, 3);
  EXPECT_EQ(surface.diffuseLayers.size(), 1u);
  EXPECT_EQ(surface.transparencyLayers.size(), 1u);
  const std::string text = log.text();
  EXPECT_NE(text.find("** Warning: First color layer has to have 'Normal' Blending mode"), std::string::npos);
  EXPECT_NE(text.find("** Warning: Second color layer has to have 'Multiply' Blending mode"), std::string::npos);
  EXPECT_NE(text.find("** Warning: opacity different from 100% is not supported."), std::string::npos);
}

TEST(SurfacesTest, MappingValuesReachTheLayer) {
  const float halfPi = std::numbers::pi_v<float> / 2;
  auto loaded = read(squareWithSurface([&](LW::IffWriter& out) {
    imageBlock(out, {.projection = 2, .axis = 1, .size = {2, 3, 4}, .center = {1, 0, -1},
                     .rotation = {halfPi, 0, 0}, .clip = 7, .uvMap = "uv"});
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::TextureLayer& layer = *onlySurface(loaded).colorLayers.at(0);
  EXPECT_EQ(layer.projection, LW::kSpherical);
  EXPECT_EQ(layer.axis, 2);  // Y: the file's 1 plus one
  EXPECT_EQ(layer.size, (Vector3{2, 3, 4}));
  EXPECT_EQ(layer.center, (Vector3{1, 0, -1}));
  // Heading π/2 turns into -90 degrees about y.
  EXPECT_NEAR(layer.rotation.x, 0.0f, 1e-4f);
  EXPECT_NEAR(layer.rotation.y, -90.0f, 1e-3f);
  EXPECT_NEAR(layer.rotation.z, 0.0f, 1e-4f);
  EXPECT_EQ(layer.uvMapName, "uv");
  EXPECT_EQ(layer.imageName, "");  // clip 7 was never defined
}

TEST(SurfacesTest, FrontProjectionIsStoredAsUnknown) {
  auto loaded = read(squareWithSurface([](LW::IffWriter& out) { imageBlock(out, {.projection = 4}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(onlySurface(loaded).colorLayers.at(0)->projection, -1);
  // Building the mesh then fails on it.
  fake::LogCapture log;
  EXPECT_THROW(LW::BuildMesh(*loaded.object, loaded.context), LW::LoadError);
  EXPECT_NE(log.text().find("Error !! Unknown mapping type!!\n\n"), std::string::npos);
}

}  // namespace
