// The materials drawn on the software GL driver and read back: the light a
// volume adds follows its thickness through each pixel, from the eye when
// the camera is inside it; lit meshes face their light.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "render/camera.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "render/materials/mat_lit.h"
#include "render/materials/mat_volumetric.h"
#include "shell/frame_state.h"
#include "support/box_chunks.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr float kHalfWidth = 0.5f;  // at near distance 1
using Rgb = std::array<int, 3>;

class MaterialPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward materials test", kWidth, kHeight));
    glStateCache.Reset();
    gl.glViewport(0, 0, kWidth, kHeight);
    shell::ResetFrameState();
    glStateCache.SetMatrixMode(GL_PROJECTION);
    gl.glLoadMatrixf(camera.ProjectionMatrix().m);
    glStateCache.SetMatrixMode(GL_MODELVIEW);
    gl.glLoadMatrixf(camera.ViewMatrix().m);
  }
  void TearDown() override { EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  static Rgb pixel(int x, int y) {
    std::array<std::uint8_t, 4> p{};
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return {p[0], p[1], p[2]};
  }
  // The x the ray through pixel column `column` reaches at depth 1.
  static float rayX(int column) { return ((column + 0.5f) / (kWidth / 2) - 1.0f) * kHalfWidth; }

  // Added light where the normalised thickness is `thickness`: the light
  // pass adds colour × 10 × depth range × the destination alpha byte.
  static void expectLight(Rgb actual, std::array<float, 3> colour, float range, float thickness) {
    const float alpha = std::floor(thickness * 255.0f + 0.5f) / 255.0f;
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(actual[c], colour[c] * 10 * range * alpha * 255, 3.0) << "channel " << c;
  }

  Camera camera{{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 100.0f, kHalfWidth, 0.375f};
};

TEST_F(MaterialPixels, VolumeAheadAddsLightByThickness) {
  kst::Mat_Volumetric volume;
  volume.red = 0.04f, volume.green = 0.02f, volume.blue = 0.01f;
  volume.Render(camera, fake::boxChunk({-1, -1, 4}, {1, 1, 6}));
  // Behind the centre the ray crosses the whole depth, 4 to 6.
  expectLight(pixel(400, 300), {0.04f, 0.02f, 0.01f}, 2, 1);
  // Near the edge it leaves through the side x = 1, at depth 1 / x.
  for (int column : {560, 580, 595}) {
    SCOPED_TRACE(column);
    expectLight(pixel(column, 300), {0.04f, 0.02f, 0.01f}, 2, (1 / rayX(column) - 4) / 2);
  }
  EXPECT_EQ(pixel(700, 300), (Rgb{0, 0, 0}));
}

TEST_F(MaterialPixels, CameraInsideSeesTheDistanceToTheFarSide) {
  kst::Mat_Volumetric volume;
  volume.red = volume.green = volume.blue = 0.02f;
  // Depths −1 to 3: from the eye to the far side is 3 of the range of 4.
  volume.Render(camera, fake::boxChunk({-1, -1, -1}, {1, 1, 3}));
  expectLight(pixel(400, 300), {0.02f, 0.02f, 0.02f}, 4, 0.75f);
  GLint stencilTest = 1;
  gl.glGetIntegerv(GL_STENCIL_TEST, &stencilTest);
  EXPECT_EQ(stencilTest, 0);
}

TEST_F(MaterialPixels, VertexAlphaZeroAddsNothing) {
  MeshChunk chunk = fake::boxChunk({-1, -1, 4}, {1, 1, 6});
  chunk.colors.assign(8, kst::Rgba{255, 255, 255, 0});
  kst::Mat_Volumetric volume;
  volume.red = volume.green = volume.blue = 0.04f;
  volume.Render(camera, chunk);
  EXPECT_EQ(pixel(400, 300), (Rgb{0, 0, 0}));
}

TEST_F(MaterialPixels, LitSphereIsBrighterOnTheSideOfTheLight) {
  const float lightPosition[4] = {10, 0, 5, 1};  // to the right, in world space (the view is loaded)
  gl.glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  gl.glEnable(GL_LIGHT0);
  kst::Mat_Lit lit;
  lit.shininess = 0.5f;
  lit.Render(camera, fake::sphereChunk({0, 0, 5}, 1, 16, 24));
  gl.glDisable(GL_LIGHT0);
  gl.glDisable(GL_NORMALIZE);
  // Columns at x = ±0.6 on the sphere (depth about 4.2: x / z / half width = 0.29 of the half frame).
  const Rgb right = pixel(400 + 114, 300), left = pixel(400 - 114, 300);
  EXPECT_GT(right[0], left[0] + 60);
  EXPECT_GT(left[0], 0);  // the ambient part still lights the far side
}

}  // namespace
