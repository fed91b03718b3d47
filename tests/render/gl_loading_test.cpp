#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/gl_table.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

class LoadingTest : public ::testing::Test {
 protected:
  fake::FakeGLWorld world;
};

TEST_F(LoadingTest, LoadsTheThreeLibrariesAndResolvesCoreAndGlu) {
  ASSERT_EQ(LoadGLLibraries(), 1);
  EXPECT_EQ(world.modules.loadRequests, (Strings{"opengl32.dll", "glu32.dll", "gdi32.dll"}));
  EXPECT_EQ(GLCapability(GLCap::Core), 1);
  EXPECT_EQ(GLCapability(GLCap::GLU), 1);
  for (std::size_t i = 0; i < kGLEntryCount; ++i) {
    if (kGLEntries[i].group == GLCap::Core || kGLEntries[i].group == GLCap::GLU) {
      EXPECT_NE(GLEntryAddress(i), nullptr) << kGLEntries[i].name;
    }
  }
  // The typed entries reach the functions of the same name.
  gl.glEnable(GL_CULL_FACE);
  gl.gluDeleteTess(nullptr);
  gl.SwapBuffers(nullptr);
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glEnable", GL_CULL_FACE), fake::call("gluDeleteTess", nullptr),
                                         fake::call("SwapBuffers", nullptr)}));
}

TEST_F(LoadingTest, ExtensionsWaitForAContext) {
  ASSERT_EQ(LoadGLLibraries(), 1);
  EXPECT_EQ(gl.glActiveTextureARB, nullptr);
  EXPECT_EQ(gl.wglAllocateMemoryNV, nullptr);
  EXPECT_EQ(GLCapability(GLCap::ARB_multitexture), 0);
  EXPECT_EQ(GLCapability(GLCap::NV_fence), 0);
  EXPECT_EQ(GLCapability(GLCap::EXT_bgra), 1);  // nothing to resolve yet
  EXPECT_EQ(world.driver.count("wglGetProcAddress"), 0u);
}

TEST_F(LoadingTest, FailsWhenAnyLibraryIsMissing) {
  for (const char* module : {"opengl32.dll", "glu32.dll", "gdi32.dll"}) {
    ResetGLTable();
    world.modules.missingModules = {module};
    EXPECT_EQ(LoadGLLibraries(), 0) << module;
    EXPECT_EQ(gl.glEnable, nullptr) << module;
  }
}

TEST_F(LoadingTest, FailsWhenACoreOrGluNameIsMissing) {
  world.modules.missingNames = {"glViewport"};
  EXPECT_EQ(LoadGLLibraries(), 0);
  EXPECT_EQ(GLCapability(GLCap::Core), 0);

  ResetGLTable();
  world.modules.missingNames = {"gluTessNormal"};
  EXPECT_EQ(LoadGLLibraries(), 0);
  EXPECT_EQ(GLCapability(GLCap::Core), 1);
  EXPECT_EQ(GLCapability(GLCap::GLU), 0);
}

TEST_F(LoadingTest, SecondLoadReturnsAtOnce) {
  ASSERT_EQ(LoadGLLibraries(), 1);
  world.modules.missingModules = {"opengl32.dll", "glu32.dll", "gdi32.dll"};
  EXPECT_EQ(LoadGLLibraries(), 1);
  EXPECT_EQ(world.modules.loadRequests.size(), 3u);
}

TEST_F(LoadingTest, ResetReturnsToTheUnloadedState) {
  ASSERT_EQ(LoadGLLibraries(), 1);
  SetGLCapability(GLCap::ARB_imaging, 0);
  ResetGLTable();
  for (std::size_t i = 0; i < kGLEntryCount; ++i) EXPECT_EQ(GLEntryAddress(i), nullptr) << kGLEntries[i].name;
  for (std::size_t g = 0; g < kGLCapCount; ++g) EXPECT_EQ(GLCapability(static_cast<GLCap>(g)), 1);
  EXPECT_EQ(LoadGLLibraries(), 1);
  EXPECT_EQ(world.modules.loadRequests.size(), 6u);
}

}  // namespace
