// Surfaces at the level of GL calls: texture units and coordinate sets,
// the one-unit path, wrap codes, the state cache around shared and reused
// textures, and the order the render list draws surfaces in.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "recorded_textures.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"
#include "support/scene_stand_ins.h"

namespace {

using Strings = std::vector<std::string>;
using fake::call;

// Calls in order; a number n stands for the two calls that select unit n.
Strings calls(std::initializer_list<std::variant<int, std::string>> items) {
  Strings out;
  for (const auto& item : items) {
    if (const auto* text = std::get_if<std::string>(&item)) {
      out.push_back(*text);
      continue;
    }
    const int unit = std::get<int>(item);
    out.push_back(call("glActiveTextureARB", GL_TEXTURE0_ARB + unit));
    out.push_back(call("glClientActiveTextureARB", GL_TEXTURE0_ARB + unit));
  }
  return out;
}

class SurfaceDrawing : public scenetest::RecordedTextures {
 protected:
  SurfaceDrawing() {
    scene.addTexture(uploadedTexture());  // names 1 and 2
    scene.addTexture(uploadedTexture());
  }

  std::unique_ptr<TextureImage> uploadedTexture() {
    auto texture = std::make_unique<TextureImage>();
    texture->upload(picture<Image24>(4, 4));
    return texture;
  }

  Mat_LW& addMat(int texture1, bool enabled1, int texture2, bool enabled2) {
    auto mat = std::make_unique<Mat_LW>();
    mat->layer1.texture = texture1;
    mat->layer1.enabled = enabled1;
    mat->layer2.texture = texture2;
    mat->layer2.enabled = enabled2;
    Mat_LW& made = *mat;
    scene.addSurface(std::move(mat));
    return made;
  }

  // Draws one record per element with `surface`, extra flags 2, from a clean log.
  void draw(Surface& surface, std::int32_t recordFlags = 0) {
    records.clear();
    for (const standin::Element& element : elements) records.push_back(DrawRecord{&element, 0.0f, recordFlags, &placement});
    world.driver.clear();
    surface.render(records, 2);
  }

  std::string matrix() const { return call("glMultMatrixf", static_cast<const GLfloat*>(placement.m)); }
  std::string vertices() const { return call("glVertexPointer", 3, GL_FLOAT, 0, elements[0].tag()); }
  std::string set(int n) const { return call("glTexCoordPointer", 2, GL_FLOAT, n, elements[0].tag()); }

  Scene scene;
  std::vector<standin::Element> elements{standin::Element(1)};
  std::vector<DrawRecord> records;
  Matrix44 placement;
};

TEST_F(SurfaceDrawing, TwoLayersOnTwoUnitsWithTransparencyAndRecordFog) {
  Mat_LW& mat = addMat(0, true, 1, true);
  mat.layer1.wrapSCode = 1;
  mat.layer1.wrapTCode = 1;
  mat.transparency = 0.5f;
  glStateCache.fog = true;
  draw(mat, 0x8);
  const std::string texture2D = call("glEnable", GL_TEXTURE_2D);
  const std::string coordinates = call("glEnableClientState", GL_TEXTURE_COORD_ARRAY);
  const std::string noCoordinates = call("glDisableClientState", GL_TEXTURE_COORD_ARRAY);
  EXPECT_EQ(world.driver.calls,
            calls({call("glBindTexture", GL_TEXTURE_2D, 1), call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP),
                   call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP), call("glColor4f", 1.0f, 1.0f, 1.0f, 1.0f),
                   1, call("glBindTexture", GL_TEXTURE_2D, 2),
                   0, texture2D, 1, texture2D, 0, coordinates, 1, coordinates, call("glEnableClientState", GL_VERTEX_ARRAY),
                   call("glEnable", GL_BLEND), call("glBlendFunc", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA),
                   call("glDepthMask", GL_FALSE), call("glMatrixMode", GL_MODELVIEW),
                   vertices(), 0, set(0), 1, set(1), call("glPushMatrix"), matrix(), call("glDisable", GL_FOG),
                   call("glDrawArrays", GL_TRIANGLES, 0x8 | 2, 1), call("glEnable", GL_FOG), call("glPopMatrix"),
                   call("glDepthMask", GL_TRUE), call("glDisable", GL_BLEND), call("glDisable", GL_ALPHA_TEST),
                   0, noCoordinates, 1, noCoordinates, call("glDisableClientState", GL_VERTEX_ARRAY)}));
}

TEST_F(SurfaceDrawing, SecondLayerTakesTheFirstFreeUnitAndTheSetOfEnabledSlots) {
  Mat_LW& enabledWithoutTexture = addMat(-1, true, 1, true);
  enabledWithoutTexture.color = {0.5f, 1.0f, 0.25f, 1.0f};
  enabledWithoutTexture.diffuse = 0.5f;
  enabledWithoutTexture.transparency = 0.25f;
  draw(enabledWithoutTexture);
  EXPECT_EQ(glStateCache.boundTexture[0], 2);
  EXPECT_EQ(glStateCache.textureMask, 1u);
  EXPECT_EQ(callsOf("glColor4f"), Strings{call("glColor4f", 0.25f, 0.5f, 0.125f, 0.75f)});
  EXPECT_EQ(callsOf("glTexCoordPointer"), Strings{set(1)});

  draw(addMat(0, false, 0, true));
  EXPECT_EQ(glStateCache.boundTexture[0], 1);
  EXPECT_EQ(callsOf("glTexCoordPointer"), Strings{set(0)});

  // An alpha texture tests alpha and blends, and keeps depth writes on.
  scene.textures[0]->hasAlpha = true;
  addMat(0, true, -1, false).transparency = 0.5f;
  draw(*scene.surfaces.back());
  EXPECT_EQ(callsOf("glAlphaFunc"), Strings{call("glAlphaFunc", GL_GREATER, 0.8f)});
  EXPECT_EQ(world.driver.count("glBlendFunc"), 1u);
  EXPECT_EQ(callsOf("glDepthMask"), Strings{call("glDepthMask", GL_TRUE)});
}

TEST_F(SurfaceDrawing, OneUnitDrawsLayerTwoInASecondMultipliedPass) {
  SetGLCapability(GLCap::ARB_multitexture, 0);
  Mat_LW& mat = addMat(0, true, 1, true);
  mat.useVertexColors = true;
  glStateCache.fog = true;
  draw(mat, 0x8);
  const std::string white = call("glColor3f", 1.0f, 1.0f, 1.0f);
  const std::string drawn = call("glDrawArrays", GL_TRIANGLES, 2, 1);  // extra flags only, fog untouched
  EXPECT_EQ(world.driver.calls,
            calls({call("glBindTexture", GL_TEXTURE_2D, 1), white, call("glEnableClientState", GL_COLOR_ARRAY),
                   call("glEnable", GL_TEXTURE_2D), call("glEnableClientState", GL_TEXTURE_COORD_ARRAY),
                   call("glEnableClientState", GL_VERTEX_ARRAY), call("glMatrixMode", GL_MODELVIEW), vertices(),
                   call("glColorPointer", 4, GL_UNSIGNED_BYTE, 0, elements[0].tag()), set(0), call("glPushMatrix"),
                   matrix(), drawn, call("glPopMatrix"),
                   // second pass
                   call("glBindTexture", GL_TEXTURE_2D, 2), white, call("glDisableClientState", GL_COLOR_ARRAY),
                   call("glEnable", GL_BLEND), call("glBlendFunc", GL_DST_COLOR, GL_ZERO), vertices(), set(1),
                   call("glPushMatrix"), matrix(), drawn, call("glPopMatrix"), call("glDisable", GL_BLEND),
                   // reset
                   call("glDepthMask", GL_TRUE), call("glDisable", GL_BLEND), call("glDisable", GL_ALPHA_TEST),
                   call("glDisableClientState", GL_TEXTURE_COORD_ARRAY), call("glDisableClientState", GL_VERTEX_ARRAY)}));
}

TEST_F(SurfaceDrawing, WrapCodesAndTheMirroredFallback) {
  EXPECT_EQ(wrapMode(1), static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(wrapMode(7), static_cast<GLenum>(GL_REPEAT));
  Mat_LW& mat = addMat(0, true, -1, false);
  mat.layer1.wrapSCode = 2;
  draw(mat);
  EXPECT_EQ(scene.textures[0]->wrapS, static_cast<GLenum>(GL_MIRRORED_REPEAT_IBM));
  SetGLCapability(GLCap::IBM_texture_mirrored_repeat, 0);
  draw(mat);
  EXPECT_EQ(callsOf("glTexParameteri"), Strings{call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)});
}

TEST_F(SurfaceDrawing, SharedTextureGetsEachSurfacesWrapOnItsOwnUnit) {
  Mat_LW& clamped = addMat(0, true, -1, false);  // texture 0 on unit 0, clamped
  clamped.layer1.wrapSCode = 1;
  Mat_LW& repeated = addMat(1, true, 0, true);   // texture 0 on unit 1, repeated
  Mat_LW& clampedOnUnit1 = addMat(1, true, 0, true);
  clampedOnUnit1.layer1.wrapTCode = 1;
  clampedOnUnit1.layer2.wrapSCode = 1;
  const std::string clampS = call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  const std::string repeatS = call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  const Strings& log = world.driver.calls;
  draw(clamped);
  EXPECT_EQ(callsOf("glTexParameteri"), Strings{clampS});
  draw(repeated);
  auto at = std::find(log.begin(), log.end(), repeatS);
  ASSERT_NE(at, log.end());
  EXPECT_EQ(Strings(at - 3, at), calls({1, call("glBindTexture", GL_TEXTURE_2D, 1)}));
  // Both textures are where the cache says: no bind. Texture 1's wrap goes
  // out on unit 0, then unit 1 is selected again for texture 0's.
  draw(clampedOnUnit1);
  EXPECT_EQ(world.driver.count("glBindTexture"), 0u);
  at = std::find(log.begin(), log.end(), clampS);
  ASSERT_NE(at, log.end());
  EXPECT_EQ(Strings(at - 2, at), calls({1}));
}

TEST_F(SurfaceDrawing, CacheFollowsTexturesMadeAndFreedBehindIt) {
  Mat_LW& mat = addMat(0, true, -1, false);
  draw(mat);
  ASSERT_EQ(glStateCache.boundTexture[0], 1);
  // A texture built while unit 0 is selected replaces what GL has there.
  scene.addTexture(uploadedTexture());
  draw(mat);
  EXPECT_EQ(callsOf("glBindTexture"), Strings{call("glBindTexture", GL_TEXTURE_2D, 1)});
  // A freed name handed out again and set up while unit 1 is selected: unit
  // 0 holds nothing, whatever the cache remembered of the old texture.
  scene.textures[0].reset();
  nextName = 1;
  glStateCache.SelectTextureUnit(1);
  scene.textures[0] = uploadedTexture();
  ASSERT_EQ(scene.textures[0]->glName, 1u);
  draw(mat);
  EXPECT_EQ(callsOf("glBindTexture"), Strings{call("glBindTexture", GL_TEXTURE_2D, 1)});
}

TEST_F(SurfaceDrawing, PlainSurfaceDrawsItsColourWithItsSidedness) {
  Surface plain;
  plain.color = {1.0f, 0.5f, 0.25f, 1.0f};
  plain.diffuse = 0.8f;
  plain.setSidedness(2);
  glStateCache.SetTextureMask(1);
  draw(plain, 0x8);
  EXPECT_EQ(callsOf("glColor3f"), Strings{call("glColor3f", 0.8f, 0.4f, 0.2f)});
  EXPECT_EQ(callsOf("glDisable"), (Strings{call("glDisable", GL_TEXTURE_2D), call("glDisable", GL_CULL_FACE)}));
  EXPECT_EQ(callsOf("glDrawArrays"), Strings{call("glDrawArrays", GL_TRIANGLES, 0x8 | 2, 1)});
  plain.setSidedness(1);
  draw(plain);
  EXPECT_EQ(callsOf("glCullFace"), Strings{call("glCullFace", GL_FRONT)});
  plain.setSidedness(0);
  EXPECT_EQ(std::pair(plain.cullFaces, plain.cullMode), std::pair(true, static_cast<GLenum>(GL_BACK)));
}

TEST_F(SurfaceDrawing, ChunkWithoutTheLayersSetKeepsThatCoordinateArrayOff) {
  elements = {standin::Element(1, 1)};
  draw(addMat(0, true, 1, true));
  const Strings& log = world.driver.calls;
  EXPECT_EQ(world.driver.count("glTexCoordPointer"), 1u);
  const auto drawn = std::find(log.begin(), log.end(), call("glDrawArrays", GL_TRIANGLES, 2, 1));
  EXPECT_NE(std::find(log.begin(), drawn, call("glDisableClientState", GL_TEXTURE_COORD_ARRAY)), drawn);
}

TEST_F(SurfaceDrawing, RenderListDrawsByLayerTwoThenLayerOneThenTransparency) {
  // {layer 1, layer 2, transparency} of Mat_LWs with disabled layers (only
  // the indices count); nullopt: a plain surface.
  const std::vector<std::optional<std::tuple<int, int, float>>> kinds{
      {{3, -1, 0}}, {}, {{3, -1, 0.5f}}, {{1, 256, 0}}, {{300, -1, 0}}, {{1, -1, 0.5f}}, {{-1, -1, 0.5f}}, {}};
  for (const auto& kind : kinds) {
    if (!kind) {
      scene.addSurface(std::make_unique<Surface>());
      continue;
    }
    addMat(std::get<0>(*kind), false, std::get<1>(*kind), false).transparency = std::get<2>(*kind);
  }
  scene.surfaces.push_back(nullptr);  // sorts like a plain surface, draws nothing
  std::vector<Surface*> surfaces;
  for (const auto& surface : scene.surfaces) surfaces.push_back(surface.get());
  const std::vector<std::uint32_t> expected{1, 7, 8, 6, 5, 0, 2, 4, 3};
  EXPECT_EQ(drawOrder(surfaces), expected);

  elements.clear();
  for (int i = 0; i < 10; ++i) elements.emplace_back(i);
  RenderList list(surfaces.size());
  for (std::uint32_t i = 0; i < 10; ++i) list.add(elements[i], 0.0f, 0, i, placement);  // 9: one past the end, dropped
  Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 10.0f, 1.0f, 1.0f);
  world.driver.clear();
  list.draw(camera, surfaces, 0);
  Strings draws;
  for (const std::uint32_t index : expected)
    if (index != 8) draws.push_back(call("glDrawArrays", GL_TRIANGLES, 0, static_cast<int>(index)));
  EXPECT_EQ(callsOf("glDrawArrays"), draws);
  for (std::size_t i = 0; i < list.bucketCount(); ++i) EXPECT_TRUE(list.bucket(i).empty()) << i;

  // The list keeps its order while the keys stay; a changed key sorts anew:
  // surface 4 now has layer-1 texture 0, surface 6 is opaque.
  static_cast<Mat_LW*>(surfaces[4])->layer1.texture = 0;
  static_cast<Mat_LW*>(surfaces[6])->transparency = 0.0f;
  for (std::uint32_t i = 0; i < 9; ++i) list.add(elements[i], 0.0f, 0, i, placement);
  world.driver.clear();
  list.draw(camera, surfaces, 0);
  draws.clear();
  for (const int index : {1, 6, 7, 4, 5, 0, 2, 3})
    draws.push_back(call("glDrawArrays", GL_TRIANGLES, 0, index));
  EXPECT_EQ(callsOf("glDrawArrays"), draws);
}

}  // namespace
