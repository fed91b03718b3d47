// The device and the binding over the real platform and the software GL
// driver (llvmpipe) of these machines.
#include <gtest/gtest.h>

#include <array>

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace {

// One host for the whole program, never shut down: shutting SDL's video
// down unloads the GL driver, and the leak checker could then no longer tell
// the driver's own lasting allocations from ours.
platform::SdlHost& sharedHost() {
  static auto* host = new platform::SdlHost(true);
  return *host;
}

class RealDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHost(&host);
    glStateCache.Reset();
    ResetGLTable();
    ASSERT_TRUE(host.createWindow("Skyward device test", 64, 48, false));
    ASSERT_TRUE(CreateRenderDevice(host.windowDC(), 0, 64, 48));
  }

  void TearDown() override {
    closeDevice();
    host.destroyWindow();
    platform::setHost(nullptr);
  }

  static void closeDevice() {
    DestroyRenderDevice();
    glStateCache.Reset();
    ResetGLTable();
  }

  platform::SdlHost& host = sharedHost();
};

TEST_F(RealDeviceTest, SoftwareDriverOffersTheExpectedGroups) {
  for (GLCap present : {GLCap::Core, GLCap::GLU, GLCap::ARB_multitexture, GLCap::EXT_compiled_vertex_array,
                        GLCap::EXT_draw_range_elements, GLCap::EXT_blend_minmax, GLCap::EXT_blend_subtract,
                        GLCap::EXT_bgra, GLCap::ARB_texture_compression, GLCap::SGIS_generate_mipmap,
                        GLCap::IBM_texture_mirrored_repeat, GLCap::NV_fog_distance, GLCap::EXT_secondary_color,
                        GLCap::EXT_point_parameters})
    EXPECT_EQ(GLCapability(present), 1) << GLCapName(present);
  // Anisotropic filtering is announced, and taken away: it can stall this driver.
  for (GLCap absent : {GLCap::EXT_texture_filter_anisotropic, GLCap::ARB_imaging, GLCap::NV_vertex_array_range,
                       GLCap::NV_vertex_array_range2, GLCap::ATI_vertex_array_object, GLCap::NV_fence,
                       GLCap::NV_register_combiners})
    EXPECT_EQ(GLCapability(absent), 0) << GLCapName(absent);
  EXPECT_EQ(glStateCache.CreatePool(), 0);
}

TEST_F(RealDeviceTest, ClearedFrameReadsBackWithTheClearColour) {
  gl.glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  std::array<GLubyte, 4> pixel{};
  gl.glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel, (std::array<GLubyte, 4>{255, 0, 0, 255}));
  Present();
  EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RealDeviceTest, StateCacheUnitsReachTheDriver) {
  glStateCache.SetTextureMask(5);
  GLint active = 0;
  gl.glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE2_ARB);
  EXPECT_EQ(gl.glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
  glStateCache.SelectTextureUnit(1);
  EXPECT_EQ(gl.glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  glStateCache.SelectTextureUnit(0);
  EXPECT_EQ(gl.glIsEnabled(GL_TEXTURE_2D), GL_TRUE);
}

// Every test of a program makes and destroys its own window in one process.
TEST_F(RealDeviceTest, WindowCanBeMadeAgainOnceItsDeviceIsGone) {
  EXPECT_FALSE(host.createWindow("second", 32, 32, false));  // one window at a time
  host.destroyWindow();
  EXPECT_FALSE(host.createWindow("second", 32, 32, false));  // the device still draws into the old one
  closeDevice();
  ASSERT_TRUE(host.createWindow("second", 32, 32, false));
  ASSERT_TRUE(CreateRenderDevice(host.windowDC(), 0, 32, 32));
  gl.glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  std::array<GLubyte, 4> pixel{};
  gl.glReadPixels(31, 31, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel, (std::array<GLubyte, 4>{0, 255, 0, 255}));
}

}  // namespace
