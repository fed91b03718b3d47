#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

// Every group name the driver could list.
std::string everyExtension() {
  std::string list;
  for (std::size_t g = 0; g < kGLCapCount; ++g) list += std::string(GLCapName(static_cast<GLCap>(g))) + " ";
  return list;
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(LoadGLLibraries(), 1); }

  void bindWith(const std::string& extensions) {
    world.driver.extensions = extensions;
    world.driver.clear();
    BindGLEntryPoints();
  }

  bool askedDriverFor(const char* name) const {
    const std::string asked = fake::call("wglGetProcAddress", name);
    for (const std::string& line : world.driver.calls)
      if (line == asked) return true;
    return false;
  }

  fake::FakeGLWorld world;
};

TEST_F(BindingTest, ReadsTheDriverStringsFirst) {
  bindWith("GL_EXT_bgra");
  const Strings first(world.driver.calls.begin(), world.driver.calls.begin() + 4);
  EXPECT_EQ(first, (Strings{fake::call("glGetString", GL_VENDOR), fake::call("glGetString", GL_RENDERER),
                            fake::call("glGetString", GL_VERSION), fake::call("glGetString", GL_EXTENSIONS)}));
}

TEST_F(BindingTest, EveryListedGroupWithAllItsEntryPointsIsOn) {
  bindWith(everyExtension());
  for (std::size_t g = 0; g < kGLCapCount; ++g)
    EXPECT_EQ(GLCapability(static_cast<GLCap>(g)), 1) << GLCapName(static_cast<GLCap>(g));
  for (std::size_t i = 0; i < kGLEntryCount; ++i) EXPECT_NE(GLEntryAddress(i), nullptr) << kGLEntries[i].name;
  gl.glActiveTextureARB(GL_TEXTURE0_ARB + 1);
  EXPECT_EQ(world.driver.calls.back(), fake::call("glActiveTextureARB", GL_TEXTURE0_ARB + 1));
}

TEST_F(BindingTest, UnlistedGroupIsOffAndItsEntryPointsAreNotAskedFor) {
  bindWith("GL_EXT_bgra GL_EXT_compiled_vertex_array");
  EXPECT_EQ(GLCapability(GLCap::ARB_multitexture), 0);
  EXPECT_EQ(gl.glActiveTextureARB, nullptr);
  EXPECT_FALSE(askedDriverFor("glActiveTextureARB"));
  EXPECT_TRUE(askedDriverFor("glLockArraysEXT"));
  EXPECT_EQ(GLCapability(GLCap::EXT_compiled_vertex_array), 1);
}

TEST_F(BindingTest, ListedGroupWithAMissingEntryPointIsOff) {
  world.modules.missingNames = {"glUnlockArraysEXT"};
  bindWith("GL_EXT_compiled_vertex_array GL_EXT_draw_range_elements");
  EXPECT_EQ(GLCapability(GLCap::EXT_compiled_vertex_array), 0);
  EXPECT_EQ(gl.glUnlockArraysEXT, nullptr);
  EXPECT_EQ(GLCapability(GLCap::EXT_draw_range_elements), 1);
}

TEST_F(BindingTest, GroupsWithoutEntryPointsFollowTheList) {
  bindWith("GL_EXT_bgra GL_NV_fence GL_NV_fog_distance");
  EXPECT_EQ(GLCapability(GLCap::EXT_bgra), 1);
  EXPECT_EQ(GLCapability(GLCap::NV_fog_distance), 1);
  EXPECT_EQ(GLCapability(GLCap::EXT_texture_filter_anisotropic), 0);
  EXPECT_EQ(GLCapability(GLCap::SGIS_generate_mipmap), 0);
  EXPECT_EQ(GLCapability(GLCap::NV_fence), 1);  // found inside GL_NV_fence
  EXPECT_EQ(GLCapability(GLCap::Swap), 1);      // always present
  EXPECT_EQ(GLCapability(GLCap::Core), 1);
  EXPECT_EQ(GLCapability(GLCap::GLU), 1);
}

TEST_F(BindingTest, CoreNameLeftOverFromLoadingIsLookedForAgain) {
  SetGLEntryAddress(static_cast<std::size_t>(GLEntryId::glFinish), nullptr);
  bindWith("");
  EXPECT_NE(gl.glFinish, nullptr);
  EXPECT_EQ(GLCapability(GLCap::Core), 1);

  SetGLEntryAddress(static_cast<std::size_t>(GLEntryId::glFinish), nullptr);
  world.modules.missingNames = {"glFinish"};
  bindWith("");
  EXPECT_EQ(GLCapability(GLCap::Core), 0);
  EXPECT_TRUE(askedDriverFor("glFinish"));
}

struct DriverCase {
  const char* vendor;
  const char* renderer;
  const char* version;
  int drawRange;         // expected GL_EXT_draw_range_elements flag
  int generateMipmap;    // expected GL_SGIS_generate_mipmap flag
  int anisotropic = 1;   // expected GL_EXT_texture_filter_anisotropic flag
};

void PrintTo(const DriverCase& driver, std::ostream* out) {
  *out << driver.vendor << " / " << driver.renderer << " / " << driver.version;
}

class DriverOverrideTest : public BindingTest, public ::testing::WithParamInterface<DriverCase> {};

TEST_P(DriverOverrideTest, KnownBadDriversLoseTheirBrokenExtensions) {
  const DriverCase& driver = GetParam();
  world.driver.vendor = driver.vendor;
  world.driver.renderer = driver.renderer;
  world.driver.version = driver.version;
  bindWith("GL_EXT_draw_range_elements GL_SGIS_generate_mipmap GL_EXT_texture_filter_anisotropic GL_ARB_multitexture");
  EXPECT_EQ(GLCapability(GLCap::EXT_draw_range_elements), driver.drawRange);
  EXPECT_EQ(GLCapability(GLCap::SGIS_generate_mipmap), driver.generateMipmap);
  EXPECT_EQ(GLCapability(GLCap::EXT_texture_filter_anisotropic), driver.anisotropic);
  EXPECT_EQ(GLCapability(GLCap::ARB_multitexture), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, DriverOverrideTest,
    ::testing::Values(DriverCase{"ATI Technologies Inc.", "Radeon 9700 PRO x86/SSE2", "1.3.3061 WinXP Release", 0, 0},
                      DriverCase{"ATI Technologies Inc.", "Radeon 9700 PRO x86/SSE2", "1.3.3062 WinXP Release", 1, 0},
                      DriverCase{"ATI Technologies Inc.", "Radeon 9700 PRO x86/SSE2", "1.3.4000", 1, 0},
                      DriverCase{"ATI Technologies Inc.", "Radeon 7500", "1.3 WinXP", 0, 0},
                      DriverCase{"ATI Technologies Inc.", "Radeon 7500", "release", 0, 0},
                      DriverCase{"ATI Technologies Inc.", "RAGE 128", "1.3.3061", 1, 1},
                      DriverCase{"NVIDIA Corporation", "Radeon 7500", "1.3.3061", 1, 1},
                      DriverCase{"NVIDIA Corporation", "GeForce4 Ti 4200/AGP/SSE2", "1.4.0", 1, 1},
                      DriverCase{"Mesa", "llvmpipe (LLVM 15.0.6, 256 bits)", "4.5 Mesa 22.3.6", 1, 1, 0},
                      DriverCase{"Mesa", "softpipe", "3.3 Mesa 22.3.6", 1, 1, 1},
                      DriverCase{"AMD", "AMD Radeon RX 6600 (radeonsi, LLVM 15.0.6)", "4.6 Mesa 22.3.6", 1, 1, 1}));

}  // namespace
