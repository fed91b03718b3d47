// Contexts on the show window over the software driver: a second context,
// shared with the first and made current on another thread, creates a
// texture that the first context then uses (the background loaders rely on
// exactly this).
#include <gtest/gtest.h>

#include <array>
#include <thread>

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_table.h"

namespace {

class SharedContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHost(&host);
    ResetGLTable();
    ASSERT_TRUE(host.createWindow("shared contexts", 64, 64, false));
    ASSERT_TRUE(CreateRenderDevice(host.windowDC(), 0, 64, 64));
  }
  void TearDown() override {
    DestroyRenderDevice();
    ResetGLTable();
    platform::setHost(nullptr);
  }
  platform::SdlHost host{true};
};

GLuint makeRedTextureOnThisThread() {
  const std::array<GLubyte, 16> red{255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  GLuint name = 0;
  gl.glGenTextures(1, &name);
  gl.glBindTexture(GL_TEXTURE_2D, name);
  gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, red.data());
  gl.glFinish();
  return name;
}

TEST_F(SharedContextTest, TextureMadeOnALoaderThreadIsUsableInTheMainContext) {
  HDC dc = host.windowDC();
  HGLRC mainContext = RenderDevice()->context();
  HGLRC loaderContext = gl.wglCreateContext(dc);
  ASSERT_NE(loaderContext, nullptr);
  EXPECT_EQ(gl.wglGetCurrentContext(), mainContext);  // creating does not switch
  ASSERT_TRUE(gl.wglShareLists(mainContext, loaderContext));

  GLuint made = 0;
  bool current = false;
  std::thread loader([&] {
    current = gl.wglMakeCurrent(dc, loaderContext) != 0;
    if (current) made = makeRedTextureOnThisThread();
    gl.wglMakeCurrent(nullptr, nullptr);
  });
  loader.join();
  ASSERT_TRUE(current);
  ASSERT_NE(made, 0u);

  EXPECT_EQ(gl.glIsTexture(made), GL_TRUE);
  gl.glBindTexture(GL_TEXTURE_2D, made);
  std::array<GLubyte, 16> back{};
  gl.glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
  EXPECT_EQ(back[0], 255);
  EXPECT_EQ(back[1], 0);
  EXPECT_EQ(back[15], 255);
  EXPECT_TRUE(gl.wglDeleteContext(loaderContext));
  EXPECT_EQ(gl.wglGetCurrentContext(), mainContext);
}

TEST_F(SharedContextTest, UnsharedContextsKeepTheirOwnObjects) {
  HDC dc = host.windowDC();
  HGLRC other = gl.wglCreateContext(dc);
  ASSERT_NE(other, nullptr);
  GLuint made = 0;
  std::thread worker([&] {
    if (gl.wglMakeCurrent(dc, other)) made = makeRedTextureOnThisThread();
    gl.wglMakeCurrent(nullptr, nullptr);
  });
  worker.join();
  ASSERT_NE(made, 0u);
  EXPECT_EQ(gl.glIsTexture(made), GL_FALSE);
  gl.wglDeleteContext(other);
}

}  // namespace
