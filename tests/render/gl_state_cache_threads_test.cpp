// Each thread draws into its own context, so each has its own state cache:
// what a loader thread binds is not what the main context holds.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "render/gl_state_cache.h"
#include "support/recording_gl.h"

namespace {

TEST(StateCacheThreads, ALoaderThreadsStateStaysOutOfTheMainThreadsCache) {
  fake::FakeGLWorld world;
  fake::RecordingGL::FillTable();
  glStateCache.Reset();
  glStateCache.BindTexture(0, 7);

  std::thread loader([] {
    glStateCache.BindTexture(0, 9);
    glStateCache.SetTextureMask(1);
    glStateCache.EnableVertexArray(true);
  });
  loader.join();

  // The main context never had 9 bound nor its arrays switched: each request
  // still reaches GL.
  world.driver.clear();
  glStateCache.BindTexture(0, 9);
  glStateCache.SetTextureMask(1);
  glStateCache.EnableVertexArray(true);
  const std::vector<std::string> expected = {fake::call("glBindTexture", GL_TEXTURE_2D, 9),
                                             fake::call("glEnable", GL_TEXTURE_2D),
                                             fake::call("glEnableClientState", GL_VERTEX_ARRAY)};
  EXPECT_EQ(world.driver.calls, expected);
  glStateCache.Reset();
}

}  // namespace
