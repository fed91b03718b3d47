// A box above a floor, lit from straight above: its shadow volume counted
// into the stencil buffer marks the floor under the box and nothing else.
#include <gtest/gtest.h>

#include "layers/shadow_meshes.h"
#include "layers/shadows/shadow_caster.h"
#include "layers/shadows/shadow_volume.h"
#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "shell/frame_state.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::pair<int, int> pixelOf(Camera& camera, Vector3 p) { return shadow_test::pixelOf(camera, p, kWidth, kHeight); }

int stencilAt(std::pair<int, int> pixel) {
  GLubyte value = 0;
  gl.glReadPixels(pixel.first, pixel.second, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &value);
  return value;
}

void drawSolid(const kst::RobustMesh& mesh) {
  glStateCache.VertexPointer(3, GL_FLOAT, 0, mesh.positions().values.data());
  glStateCache.EnableVertexArray(true);
  gl.glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.triangles().size()), GL_UNSIGNED_INT,
                    mesh.triangles().data());
  glStateCache.EnableVertexArray(false);
}

TEST(ShadowVolumePixels, StencilCountsOnlyTheShadowedFloor) {
  ASSERT_TRUE(fake::sharedRenderDevice("Skyward shadow volume test", kWidth, kHeight));
  glStateCache.Reset();
  gl.glViewport(0, 0, kWidth, kHeight);
  shell::ResetFrameState();

  Camera camera({0, 5, -5}, {0, 0, 0}, {0, 1, 0}, 1.0f, 50.0f, 0.5f, 0.375f);
  glStateCache.SetMatrixMode(GL_PROJECTION);
  gl.glLoadMatrixf(camera.ProjectionMatrix().m);
  glStateCache.SetMatrixMode(GL_MODELVIEW);
  gl.glLoadMatrixf(camera.ViewMatrix().m);

  auto floor = shadow_test::box({-4, -0.2f, -4}, {4, 0, 4});
  auto block = shadow_test::box({-0.5f, 1, -0.5f}, {0.5f, 2, 0.5f});
  // The depth the volumes are counted against; which faces show does not matter here.
  gl.glDisable(GL_CULL_FACE);
  drawSolid(*floor);
  drawSolid(*block);
  gl.glEnable(GL_CULL_FACE);

  const Vector3 light{0, 10, 0};
  kst::ShadowCaster caster(*block);
  caster.ComputeSilhouette(light);
  kst::ShadowVolume volume;
  volume.Build(caster, light);
  volume.DrawIntoStencil();

  // Seen from the light at height 10, the block's top (y = 2, half side
  // 0.5) reaches the floor at half side 0.5 · 10 / 8 = 0.625.
  EXPECT_EQ(stencilAt(pixelOf(camera, {0, 0, 0})), 1);
  EXPECT_EQ(stencilAt(pixelOf(camera, {0.4f, 0, 0.4f})), 1);
  EXPECT_EQ(stencilAt(pixelOf(camera, {0.9f, 0, 0})), 0);
  EXPECT_EQ(stencilAt(pixelOf(camera, {-2, 0, 1})), 0);
  EXPECT_EQ(stencilAt(pixelOf(camera, {0, 2, 0})), 0);  // the lit top of the block
  GLboolean stencilTest = GL_TRUE;
  gl.glGetBooleanv(GL_STENCIL_TEST, &stencilTest);
  EXPECT_EQ(stencilTest, GL_FALSE);
  EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
