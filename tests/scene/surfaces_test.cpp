// Surfaces at the level of GL calls: texture units and coordinate sets,
// the one-unit path, wrap codes, the state cache around shared and reused
// textures, and the order the render list draws surfaces in.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
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

Strings selectUnit(int unit) {
  return {fake::call("glActiveTextureARB", GL_TEXTURE0_ARB + unit),
          fake::call("glClientActiveTextureARB", GL_TEXTURE0_ARB + unit)};
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

  // Draws `records` (one per element) with `surface` from a clean log.
  void draw(Surface& surface, std::int32_t recordFlags = 0) {
    records.clear();
    for (const standin::Element& element : elements) records.push_back(DrawRecord{&element, 0.0f, recordFlags, {}});
    world.driver.clear();
    surface.render(records, 2);
  }

  std::vector<std::string> drawsOf(const std::string& function) const { return callsOf(function); }

  Scene scene;
  std::vector<standin::Element> elements{standin::Element(1)};
  std::vector<DrawRecord> records;
};

TEST_F(SurfaceDrawing, TwoLayersOnTwoUnitsWithTransparencyAndRecordFog) {
  Mat_LW& mat = addMat(0, true, 1, true);
  mat.layer1.wrapSCode = 1;
  mat.layer1.wrapTCode = 1;
  mat.transparency = 0.5f;
  glStateCache.fog = true;
  draw(mat, 0x8);
  const auto tag = elements[0].tag();
  Strings expected{
      fake::call("glBindTexture", GL_TEXTURE_2D, 1),
      fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP),
      fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP),
      fake::call("glColor4f", 1.0f, 1.0f, 1.0f, 1.0f)};
  auto add = [&expected](const Strings& more) { expected.insert(expected.end(), more.begin(), more.end()); };
  add(selectUnit(1));
  add({fake::call("glBindTexture", GL_TEXTURE_2D, 2)});
  add(selectUnit(0));
  add({fake::call("glEnable", GL_TEXTURE_2D)});
  add(selectUnit(1));
  add({fake::call("glEnable", GL_TEXTURE_2D)});
  add(selectUnit(0));
  add({fake::call("glEnableClientState", GL_TEXTURE_COORD_ARRAY)});
  add(selectUnit(1));
  add({fake::call("glEnableClientState", GL_TEXTURE_COORD_ARRAY), fake::call("glEnableClientState", GL_VERTEX_ARRAY),
       fake::call("glEnable", GL_BLEND), fake::call("glBlendFunc", GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA),
       fake::call("glDepthMask", GL_FALSE), fake::call("glMatrixMode", GL_MODELVIEW),
       fake::call("glVertexPointer", 3, GL_FLOAT, 0, tag)});
  add(selectUnit(0));
  add({fake::call("glTexCoordPointer", 2, GL_FLOAT, 0, tag)});
  add(selectUnit(1));
  add({fake::call("glTexCoordPointer", 2, GL_FLOAT, 1, tag), fake::call("glPushMatrix"),
       fake::call("glMultMatrixf", static_cast<const GLfloat*>(records[0].worldMatrix.m)),
       fake::call("glDisable", GL_FOG), fake::call("glDrawArrays", GL_TRIANGLES, 0x8 | 2, 1),
       fake::call("glEnable", GL_FOG), fake::call("glPopMatrix"), fake::call("glDepthMask", GL_TRUE),
       fake::call("glDisable", GL_BLEND), fake::call("glDisable", GL_ALPHA_TEST)});
  add(selectUnit(0));
  add({fake::call("glDisableClientState", GL_TEXTURE_COORD_ARRAY)});
  add(selectUnit(1));
  add({fake::call("glDisableClientState", GL_TEXTURE_COORD_ARRAY), fake::call("glDisableClientState", GL_VERTEX_ARRAY)});
  EXPECT_EQ(world.driver.calls, expected);
}

TEST_F(SurfaceDrawing, SecondLayerTakesTheFirstFreeUnitAndTheSetOfEnabledSlots) {
  const auto tag = elements[0].tag();
  Mat_LW& enabledWithoutTexture = addMat(-1, true, 1, true);
  enabledWithoutTexture.color = {0.5f, 1.0f, 0.25f, 1.0f};
  enabledWithoutTexture.diffuse = 0.5f;
  enabledWithoutTexture.transparency = 0.25f;
  draw(enabledWithoutTexture);
  EXPECT_EQ(glStateCache.boundTexture[0], 2);
  EXPECT_EQ(glStateCache.textureMask, 1u);
  EXPECT_EQ(drawsOf("glColor4f"), Strings{fake::call("glColor4f", 0.25f, 0.5f, 0.125f, 0.75f)});
  EXPECT_EQ(drawsOf("glTexCoordPointer"), Strings{fake::call("glTexCoordPointer", 2, GL_FLOAT, 1, tag)});

  Mat_LW& notEnabled = addMat(0, false, 0, true);
  draw(notEnabled);
  EXPECT_EQ(glStateCache.boundTexture[0], 1);
  EXPECT_EQ(drawsOf("glTexCoordPointer"), Strings{fake::call("glTexCoordPointer", 2, GL_FLOAT, 0, tag)});
}

TEST_F(SurfaceDrawing, AlphaTextureTestsAlphaAndKeepsDepthWrites) {
  scene.textures[0]->hasAlpha = true;
  Mat_LW& mat = addMat(0, true, -1, false);
  mat.transparency = 0.5f;
  draw(mat);
  EXPECT_EQ(drawsOf("glAlphaFunc"), Strings{fake::call("glAlphaFunc", GL_GREATER, 0.8f)});
  EXPECT_EQ(world.driver.count("glBlendFunc"), 1u);
  EXPECT_EQ(drawsOf("glDepthMask"), Strings{fake::call("glDepthMask", GL_TRUE)});  // only the reset
}

TEST_F(SurfaceDrawing, OneUnitDrawsLayerTwoInASecondMultipliedPass) {
  SetGLCapability(GLCap::ARB_multitexture, 0);
  Mat_LW& mat = addMat(0, true, 1, true);
  mat.useVertexColors = true;
  glStateCache.fog = true;
  draw(mat, 0x8);
  const auto tag = elements[0].tag();
  const std::string matrix = fake::call("glMultMatrixf", static_cast<const GLfloat*>(records[0].worldMatrix.m));
  EXPECT_EQ(world.driver.calls,
            (Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1), fake::call("glColor3f", 1.0f, 1.0f, 1.0f),
                     fake::call("glEnableClientState", GL_COLOR_ARRAY), fake::call("glEnable", GL_TEXTURE_2D),
                     fake::call("glEnableClientState", GL_TEXTURE_COORD_ARRAY),
                     fake::call("glEnableClientState", GL_VERTEX_ARRAY), fake::call("glMatrixMode", GL_MODELVIEW),
                     fake::call("glVertexPointer", 3, GL_FLOAT, 0, tag),
                     fake::call("glColorPointer", 4, GL_UNSIGNED_BYTE, 0, tag),
                     fake::call("glTexCoordPointer", 2, GL_FLOAT, 0, tag), fake::call("glPushMatrix"), matrix,
                     fake::call("glDrawArrays", GL_TRIANGLES, 2, 1), fake::call("glPopMatrix"),
                     // second pass
                     fake::call("glBindTexture", GL_TEXTURE_2D, 2), fake::call("glColor3f", 1.0f, 1.0f, 1.0f),
                     fake::call("glDisableClientState", GL_COLOR_ARRAY), fake::call("glEnable", GL_BLEND),
                     fake::call("glBlendFunc", GL_DST_COLOR, GL_ZERO),
                     fake::call("glVertexPointer", 3, GL_FLOAT, 0, tag),
                     fake::call("glTexCoordPointer", 2, GL_FLOAT, 1, tag), fake::call("glPushMatrix"), matrix,
                     fake::call("glDrawArrays", GL_TRIANGLES, 2, 1), fake::call("glPopMatrix"),
                     fake::call("glDisable", GL_BLEND),
                     // reset
                     fake::call("glDepthMask", GL_TRUE), fake::call("glDisable", GL_BLEND),
                     fake::call("glDisable", GL_ALPHA_TEST), fake::call("glDisableClientState", GL_TEXTURE_COORD_ARRAY),
                     fake::call("glDisableClientState", GL_VERTEX_ARRAY)}));
}

TEST_F(SurfaceDrawing, WrapCodesAndTheMirroredFallback) {
  EXPECT_EQ(wrapMode(0), static_cast<GLenum>(GL_REPEAT));
  EXPECT_EQ(wrapMode(1), static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(wrapMode(2), static_cast<GLenum>(GL_MIRRORED_REPEAT_IBM));
  EXPECT_EQ(wrapMode(7), static_cast<GLenum>(GL_REPEAT));
  Mat_LW& mat = addMat(0, true, -1, false);
  mat.layer1.wrapSCode = 2;
  draw(mat);
  EXPECT_EQ(scene.textures[0]->wrapS, static_cast<GLenum>(GL_MIRRORED_REPEAT_IBM));
  SetGLCapability(GLCap::IBM_texture_mirrored_repeat, 0);
  draw(mat);
  EXPECT_EQ(scene.textures[0]->wrapS, static_cast<GLenum>(GL_REPEAT));
  EXPECT_EQ(drawsOf("glTexParameteri"), Strings{fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)});
}

TEST_F(SurfaceDrawing, SharedTextureGetsEachSurfacesWrapOnItsOwnUnit) {
  Mat_LW& clamped = addMat(0, true, -1, false);  // texture 0 on unit 0, clamped
  clamped.layer1.wrapSCode = 1;
  Mat_LW& repeated = addMat(1, true, 0, true);   // texture 0 on unit 1, repeated
  Mat_LW& clampedOnUnit1 = addMat(1, true, 0, true);
  clampedOnUnit1.layer1.wrapTCode = 1;
  clampedOnUnit1.layer2.wrapSCode = 1;
  const std::string clampS = fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  const std::string repeatS = fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  const Strings& calls = world.driver.calls;
  draw(clamped);
  EXPECT_EQ(drawsOf("glTexParameteri"), Strings{clampS});
  draw(repeated);
  auto at = std::find(calls.begin(), calls.end(), repeatS);
  ASSERT_NE(at, calls.end());
  EXPECT_EQ(*std::prev(at), fake::call("glBindTexture", GL_TEXTURE_2D, 1));  // bound on unit 1 just before
  EXPECT_EQ(*std::prev(at, 2), selectUnit(1)[1]);
  // Both textures are where the cache says: no bind. Texture 1's wrap goes
  // out on unit 0, then unit 1 is selected again for texture 0's.
  draw(clampedOnUnit1);
  EXPECT_EQ(world.driver.count("glBindTexture"), 0u);
  at = std::find(calls.begin(), calls.end(), clampS);
  ASSERT_NE(at, calls.end());
  EXPECT_EQ(*std::prev(at), selectUnit(1)[1]);
  EXPECT_EQ(*std::prev(at, 2), selectUnit(1)[0]);
}

TEST_F(SurfaceDrawing, CacheFollowsTexturesMadeAndFreedBehindIt) {
  Mat_LW& mat = addMat(0, true, -1, false);
  draw(mat);
  ASSERT_EQ(glStateCache.boundTexture[0], 1);
  // A texture built while unit 0 is selected replaces what GL has there.
  scene.addTexture(uploadedTexture());
  draw(mat);
  EXPECT_EQ(drawsOf("glBindTexture"), Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1)});
  // A freed name handed out again and set up while unit 1 is selected: unit
  // 0 holds nothing, whatever the cache remembered of the old texture.
  scene.textures[0].reset();
  nextName = 1;
  glStateCache.SelectTextureUnit(1);
  scene.textures[0] = uploadedTexture();
  ASSERT_EQ(scene.textures[0]->glName, 1u);
  draw(mat);
  EXPECT_EQ(drawsOf("glBindTexture"), Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1)});
}

TEST_F(SurfaceDrawing, PlainSurfaceDrawsItsColourWithItsSidedness) {
  auto plain = std::make_unique<Surface>();
  plain->color = {1.0f, 0.5f, 0.25f, 1.0f};
  plain->diffuse = 0.8f;
  plain->setSidedness(2);
  glStateCache.SetTextureMask(1);
  draw(*plain, 0x8);
  EXPECT_EQ(glStateCache.textureMask, 0u);
  EXPECT_TRUE(glStateCache.vertexArray);
  EXPECT_EQ(drawsOf("glColor3f"), Strings{fake::call("glColor3f", 0.8f, 0.4f, 0.2f)});
  EXPECT_EQ(drawsOf("glDisable"), (Strings{fake::call("glDisable", GL_TEXTURE_2D), fake::call("glDisable", GL_CULL_FACE)}));
  EXPECT_EQ(drawsOf("glDrawArrays"), Strings{fake::call("glDrawArrays", GL_TRIANGLES, 0x8 | 2, 1)});
  plain->setSidedness(1);
  EXPECT_TRUE(plain->cullFaces);
  EXPECT_EQ(plain->cullMode, static_cast<GLenum>(GL_FRONT));
  draw(*plain);
  EXPECT_EQ(drawsOf("glCullFace"), Strings{fake::call("glCullFace", GL_FRONT)});
  plain->setSidedness(0);
  EXPECT_EQ(plain->cullMode, static_cast<GLenum>(GL_BACK));
}

TEST_F(SurfaceDrawing, ChunkWithoutTheLayersSetKeepsThatCoordinateArrayOff) {
  elements = {standin::Element(1, 1)};
  Mat_LW& mat = addMat(0, true, 1, true);
  draw(mat);
  // Unit 1 is switched on by the surface and off again for the record.
  EXPECT_EQ(world.driver.count("glTexCoordPointer"), 1u);
  const Strings& calls = world.driver.calls;
  const auto drawn = std::find(calls.begin(), calls.end(), fake::call("glDrawArrays", GL_TRIANGLES, 2, 1));
  const auto off = std::find(calls.begin(), drawn, fake::call("glDisableClientState", GL_TEXTURE_COORD_ARRAY));
  EXPECT_NE(off, drawn);
}

TEST_F(SurfaceDrawing, MissingTextureDrawsNothing) {
  Mat_LW& mat = addMat(5, true, -1, false);
  draw(mat);
  EXPECT_TRUE(world.driver.calls.empty());
  Mat_LW& orphan = addMat(0, true, -1, false);
  orphan.scene = nullptr;
  draw(orphan);
  EXPECT_TRUE(world.driver.calls.empty());
}

TEST_F(SurfaceDrawing, RenderListDrawsByLayerTwoThenLayerOneThenTransparency) {
  struct Keys {
    int texture1, texture2;
    float transparency;
  };
  // Mat_LW keys; layers left disabled, so only their indices matter. Null
  // entries are plain surfaces (texture keys -1, opaque).
  const std::vector<std::optional<Keys>> kinds{Keys{3, -1, 0}, {}, Keys{3, -1, 0.5f}, Keys{1, 256, 0}, Keys{300, -1, 0},
                                               Keys{1, -1, 0.5f}, Keys{-1, -1, 0.5f}, {}};
  for (const auto& kind : kinds) {
    if (!kind) {
      scene.addSurface(std::make_unique<Surface>());
      continue;
    }
    Mat_LW& mat = addMat(kind->texture1, false, kind->texture2, false);
    mat.transparency = kind->transparency;
  }
  scene.surfaces.push_back(nullptr);
  std::vector<Surface*> surfaces;
  for (const auto& surface : scene.surfaces) surfaces.push_back(surface.get());
  // By (layer 2, layer 1, transparency), equal keys in list order.
  const std::vector<std::uint32_t> expected{1, 7, 8, 6, 5, 0, 2, 4, 3};
  EXPECT_EQ(drawOrder(surfaces), expected);

  elements.clear();
  for (int i = 0; i < 10; ++i) elements.emplace_back(i);
  RenderList list(surfaces.size());
  for (int i = 0; i < 10; ++i) list.add(elements[static_cast<std::size_t>(i)], 0.0f, 0, static_cast<std::uint32_t>(i), {});
  Camera camera({0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 10.0f, 1.0f, 1.0f);
  world.driver.clear();
  list.draw(camera, surfaces, 0);
  Strings draws;
  for (const std::uint32_t index : expected)
    if (index != 8) draws.push_back(fake::call("glDrawArrays", GL_TRIANGLES, 0, static_cast<int>(index)));
  EXPECT_EQ(drawsOf("glDrawArrays"), draws);
  for (std::size_t i = 0; i < list.bucketCount(); ++i) EXPECT_TRUE(list.bucket(i).empty()) << i;
}

}  // namespace
