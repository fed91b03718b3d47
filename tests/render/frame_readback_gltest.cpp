// Frames read back through pixel buffer objects, and directly without them:
// every frame arrives once, in order, bottom row first, and a frame is
// handed out only after later frames were drawn.
#include <gtest/gtest.h>

#include <vector>

#include "render/frame_readback.h"
#include "render/gl_table.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFrames = 6;

// Frame i: blue i * 40 everywhere, the bottom 10 rows green.
void drawFrame(int i) {
  gl.glDisable(GL_SCISSOR_TEST);
  gl.glClearColor(0.0f, 0.0f, static_cast<float>(i * 40) / 255.0f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  gl.glEnable(GL_SCISSOR_TEST);
  gl.glScissor(0, 0, kWidth, 10);
  gl.glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  gl.glDisable(GL_SCISSOR_TEST);
}

struct Seen {
  int blueOfTopRow;
  int greenOfFirstRow;
  int drawnBefore;  // frames drawn when this one was handed out
};

// Draws kFrames frames through a reader; what each frame was seen as.
std::vector<Seen> readFrames(bool withBuffers) {
  SetGLCapability(GLCap::ARB_pixel_buffer_object, withBuffers ? 1 : 0);
  std::vector<Seen> seen;
  int drawn = 0;
  // Blue is the first byte of a pixel read blue first, the third otherwise.
  const std::size_t blue = kst::FrameReadback::BlueFirst() ? 0 : 2;
  const kst::FrameReadback::Consumer consume = [&](std::span<const std::uint8_t> pixels) {
    EXPECT_EQ(pixels.size(), static_cast<std::size_t>(kWidth) * kHeight * 4);
    const std::size_t topRow = static_cast<std::size_t>(kHeight - 1) * kWidth * 4;
    seen.push_back({pixels[topRow + blue], pixels[1], drawn});
  };
  {
    kst::FrameReadback reader(kWidth, kHeight, 3);
    EXPECT_EQ(reader.usesBuffers(), withBuffers);
    for (int i = 0; i < kFrames; ++i) {
      drawFrame(i);
      ++drawn;
      reader.read(consume);
    }
    reader.drain(consume);
  }
  EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  return seen;
}

TEST(FrameReadback, HandsOutEveryFrameInOrderBottomRowFirst) {
  ASSERT_TRUE(fake::sharedRenderDevice("Skyward read-back test", kWidth, kHeight));
  ASSERT_NE(GLCapability(GLCap::ARB_vertex_buffer_object), 0) << "the software driver offers buffer objects";
  ASSERT_NE(GLCapability(GLCap::ARB_pixel_buffer_object), 0);
  // Read in the driver's own order (blue first) and red first.
  for (const auto& [withBuffers, blueFirst] : {std::pair{true, true}, {false, true}, {true, false}}) {
    SetGLCapability(GLCap::EXT_bgra, blueFirst ? 1 : 0);
    const std::vector<Seen> seen = readFrames(withBuffers);
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(kFrames)) << withBuffers;
    for (int i = 0; i < kFrames; ++i) {
      EXPECT_EQ(seen[i].blueOfTopRow, i * 40) << withBuffers << " frame " << i;
      EXPECT_EQ(seen[i].greenOfFirstRow, 255) << withBuffers << " frame " << i;
      // Through buffers, frame i waits until three frames more were drawn
      // (the last ones until the end); read directly, it comes at once.
      const int expectedDrawn = withBuffers ? std::min(i + 4, kFrames) : i + 1;
      EXPECT_EQ(seen[i].drawnBefore, expectedDrawn) << withBuffers << " frame " << i;
    }
  }
  SetGLCapability(GLCap::ARB_pixel_buffer_object, 1);
  SetGLCapability(GLCap::EXT_bgra, 1);
}

}  // namespace
