// A context's state cache goes where the context goes: work run on another
// thread with the caller's context (a read on a larger stack) updates the
// cache the caller finds when it has its context back.
#include <gtest/gtest.h>

#include "platform/thread_stacks.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "support/shared_device.h"

namespace {

TEST(ContextCaches, ACacheFollowsItsContextToAnotherThreadAndBack) {
  ASSERT_TRUE(fake::sharedRenderDevice("context caches", 16, 16));
  GLuint names[2] = {};
  gl.glGenTextures(2, names);
  const auto own = static_cast<GLint>(names[0]);
  const auto other = static_cast<GLint>(names[1]);
  glStateCache.BindTexture(0, own);

  bool elsewhere = false;
  platform::runAsCaller(1 << 20, [&] {
    elsewhere = gl.wglGetCurrentContext() != nullptr;
    EXPECT_EQ(glStateCache.boundTexture[0], own);
    glStateCache.BindTexture(0, other);
  });
  ASSERT_TRUE(elsewhere);
  EXPECT_EQ(glStateCache.boundTexture[0], other);
  // The cache is true to the context: asking for `own` again binds it.
  glStateCache.BindTexture(0, own);
  GLint bound = 0;
  gl.glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, own);

  glStateCache.BindTexture(0, 0);
  gl.glDeleteTextures(2, names);
}

}  // namespace
