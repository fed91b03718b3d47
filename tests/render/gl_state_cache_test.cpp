#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

class StateCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::RecordingGL::FillTable(); }

  Strings selectUnit(int unit) const {
    return {fake::call("glActiveTextureARB", GL_TEXTURE0_ARB + unit),
            fake::call("glClientActiveTextureARB", GL_TEXTURE0_ARB + unit)};
  }

  // The calls made by `action`, which the log then forgets.
  template <typename Action>
  Strings callsOf(Action action) {
    world.driver.clear();
    action();
    return world.driver.calls;
  }

  fake::FakeGLWorld world;
  GLStateCache cache;
};

TEST_F(StateCacheTest, ProcessWideCacheStartsFromTheKnownState) {
  const GLStateCache& state = glStateCache;
  EXPECT_EQ(state.pool, nullptr);
  EXPECT_EQ(state.textureMask, 0u);
  EXPECT_EQ(state.texCoordArrayMask, 0u);
  EXPECT_EQ(state.matrixMode, 0);
  EXPECT_EQ(state.activeTexture, 0);
  EXPECT_EQ(state.cullFaceMode, GL_BACK);
  EXPECT_EQ(state.boundTexture.size(), 32u);
  for (std::int32_t name : state.boundTexture) EXPECT_EQ(name, -1);
  EXPECT_FALSE(state.colorArray);
  EXPECT_FALSE(state.normalArray);
  EXPECT_FALSE(state.vertexArray);
  EXPECT_TRUE(state.cullFace);
  EXPECT_FALSE(state.fog);
}

struct MaskCase {
  const char* label;
  void (GLStateCache::*set)(std::uint32_t);
  const char* enable;
  const char* disable;
  GLenum state;
};

void PrintTo(const MaskCase& mask, std::ostream* out) { *out << mask.label; }

class MaskTest : public StateCacheTest, public ::testing::WithParamInterface<MaskCase> {
 protected:
  Strings setMask(std::uint32_t mask) {
    return callsOf([&] { (cache.*GetParam().set)(mask); });
  }
  std::string on() const { return fake::call(GetParam().enable, GetParam().state); }
  std::string off() const { return fake::call(GetParam().disable, GetParam().state); }
};

TEST_P(MaskTest, ChangesOnlyTheUnitsWhoseBitChanged) {
  Strings expected = {on()};
  for (const std::string& line : selectUnit(2)) expected.push_back(line);
  expected.push_back(on());
  EXPECT_EQ(setMask(5), expected);
  EXPECT_EQ(setMask(5), Strings{});
  EXPECT_EQ(cache.activeTexture, 2);

  expected = selectUnit(0);
  expected.push_back(off());
  EXPECT_EQ(setMask(4), expected);
}

TEST_P(MaskTest, WithoutMultitextureEverythingActsOnOneUnit) {
  SetGLCapability(GLCap::ARB_multitexture, 0);
  EXPECT_EQ(setMask(5), (Strings{on(), on()}));
  EXPECT_EQ(setMask(1), Strings{off()});
  EXPECT_EQ(cache.activeTexture, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTest,
    ::testing::Values(MaskCase{"texture2D", &GLStateCache::SetTextureMask, "glEnable", "glDisable", GL_TEXTURE_2D},
                      MaskCase{"texCoordArray", &GLStateCache::SetTexCoordArrayMask, "glEnableClientState",
                               "glDisableClientState", GL_TEXTURE_COORD_ARRAY}));

TEST_F(StateCacheTest, SelectsAUnitOnlyWhenItChangesAndMultitextureExists) {
  EXPECT_EQ(callsOf([&] { cache.SelectTextureUnit(3); }), selectUnit(3));
  EXPECT_EQ(callsOf([&] { cache.SelectTextureUnit(3); }), Strings{});
  EXPECT_EQ(callsOf([&] { cache.SelectTextureUnit(0); }), selectUnit(0));

  SetGLCapability(GLCap::ARB_multitexture, 0);
  EXPECT_EQ(callsOf([&] { cache.SelectTextureUnit(1); }), Strings{});
  EXPECT_EQ(cache.activeTexture, 0);
}

TEST_F(StateCacheTest, BindsATextureOnlyWhenTheUnitHoldsAnother) {
  Strings expected = selectUnit(1);
  expected.push_back(fake::call("glBindTexture", GL_TEXTURE_2D, 7));
  EXPECT_EQ(callsOf([&] { cache.BindTexture(1, 7); }), expected);
  EXPECT_EQ(callsOf([&] { cache.BindTexture(1, 7); }), Strings{});
  EXPECT_EQ(callsOf([&] { cache.BindTexture(1, 8); }), Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 8)});

  expected = selectUnit(0);
  expected.push_back(fake::call("glBindTexture", GL_TEXTURE_2D, 8));
  EXPECT_EQ(callsOf([&] { cache.BindTexture(0, 8); }), expected);
}

TEST_F(StateCacheTest, BindingWithoutMultitextureSelectsNothing) {
  SetGLCapability(GLCap::ARB_multitexture, 0);
  EXPECT_EQ(callsOf([&] { cache.BindTexture(2, 5); }), Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 5)});
  EXPECT_EQ(cache.boundTexture[2], 5);
}

TEST_F(StateCacheTest, MatrixModeChangesOnlyWhenDifferent) {
  EXPECT_EQ(callsOf([&] { cache.SetMatrixMode(GL_MODELVIEW); }), Strings{fake::call("glMatrixMode", GL_MODELVIEW)});
  EXPECT_EQ(callsOf([&] { cache.SetMatrixMode(GL_MODELVIEW); }), Strings{});
  EXPECT_EQ(callsOf([&] { cache.SetMatrixMode(GL_PROJECTION); }), Strings{fake::call("glMatrixMode", GL_PROJECTION)});
}

struct ArrayCase {
  const char* label;
  void (GLStateCache::*enable)(bool);
  GLenum array;
};

void PrintTo(const ArrayCase& array, std::ostream* out) { *out << array.label; }

class ClientArrayTest : public StateCacheTest, public ::testing::WithParamInterface<ArrayCase> {
 protected:
  Strings enable(bool on) {
    return callsOf([&] { (cache.*GetParam().enable)(on); });
  }
};

TEST_P(ClientArrayTest, SwitchesOnlyWhenTheStateChanges) {
  const GLenum array = GetParam().array;
  EXPECT_EQ(enable(false), Strings{});
  EXPECT_EQ(enable(true), Strings{fake::call("glEnableClientState", array)});
  EXPECT_EQ(enable(true), Strings{});
  EXPECT_EQ(enable(false), Strings{fake::call("glDisableClientState", array)});
}

INSTANTIATE_TEST_SUITE_P(Arrays, ClientArrayTest,
                         ::testing::Values(ArrayCase{"vertex", &GLStateCache::EnableVertexArray, GL_VERTEX_ARRAY},
                                           ArrayCase{"normal", &GLStateCache::EnableNormalArray, GL_NORMAL_ARRAY},
                                           ArrayCase{"colour", &GLStateCache::EnableColorArray, GL_COLOR_ARRAY}));

TEST_F(StateCacheTest, ArrayPointersAlwaysReachGL) {
  const float data[4] = {};
  const Strings once = {fake::call("glVertexPointer", 3, GL_FLOAT, 12, data),
                        fake::call("glNormalPointer", GL_FLOAT, 12, data),
                        fake::call("glColorPointer", 4, GL_UNSIGNED_BYTE, 4, data),
                        fake::call("glTexCoordPointer", 2, GL_FLOAT, 8, data)};
  const auto setAll = [&] {
    cache.VertexPointer(3, GL_FLOAT, 12, data);
    cache.NormalPointer(GL_FLOAT, 12, data);
    cache.ColorPointer(4, GL_UNSIGNED_BYTE, 4, data);
    cache.TexCoordPointer(2, GL_FLOAT, 8, data);
  };
  EXPECT_EQ(callsOf(setAll), once);
  EXPECT_EQ(callsOf(setAll), once);
}

}  // namespace
