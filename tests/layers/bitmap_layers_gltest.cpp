// The bitmap layers drawn on the software GL driver into an 800 x 600 frame
// and read back: colour, depth and stencil.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "layers/bitmap_layers.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"
#include "stocks/bitmap_stock.h"
#include "shell/frame_state.h"
#include "support/picture_files.h"
#include "support/shared_device.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
using Rgba = std::array<int, 4>;

class BitmapLayerPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward bitmap layers test", kWidth, kHeight));
    glStateCache.Reset();
    startFrame(0);
  }

  void TearDown() override {
    for (const std::string& name : added_) kst::theBitmapStock().unload(name.c_str());
    EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }

  // The state every frame starts in, with the stencil cleared to `stencil`.
  static void startFrame(int stencil) {
    gl.glViewport(0, 0, kWidth, kHeight);
    shell::ResetFrameState();
    gl.glClearStencil(stencil);
    gl.glClear(GL_STENCIL_BUFFER_BIT);
    gl.glClearStencil(0);
  }

  // A stock bitmap whose texel (x, y), y = 0 the top row, is `texel(x, y)`.
  template <typename ImageType>
  TextureImage& addBitmap(const std::string& name, int width, int height,
                          const std::function<Rgba(int, int)>& texel) {
    auto picture = std::make_unique<ImageType>();
    picture->setSize(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < ImageType::kBytesPerPixel; ++c)
          picture->pixels[(y * width + x) * ImageType::kBytesPerPixel + c] = static_cast<std::uint8_t>(texel(x, y)[c]);
    auto texture = std::make_unique<TextureImage>();
    texture->flags = TextureImage::TEX_NO_MIPMAPS;  // uncompressed: exact texels
    texture->upload(std::move(picture));
    pickTexels(*texture);
    TextureImage& kept = *texture;
    EXPECT_TRUE(kst::theBitmapStock().add(name.c_str(), texture.release()));
    added_.push_back(name);
    return kept;
  }

  // A picture file loaded into the stock as the show loads its alpha
  // bitmaps; its name in the stock is the file's path.
  std::string loadAlphaBitmap(const fake::Picture& picture) {
    const std::string file = fake::freshFolder("alpha-bitmap") + "/strip.png";
    EXPECT_TRUE(fake::writePicture(picture, file, fake::PictureFormat::Png));
    kst::theBitmapStock().loadAlpha(file.c_str());
    pickTexels(*kst::theBitmapStock().get(file.c_str()));
    added_.push_back(file);
    return file;
  }

  // The tests check where texels land, not how they are filtered: the
  // software driver's anisotropic filtering (textures ask for 2) mixes
  // neighbouring texels even at texel centres.
  static void pickTexels(TextureImage& texture) {
    gl.glBindTexture(GL_TEXTURE_2D, texture.glName);
    gl.glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1.0f);
    glStateCache.boundTexture[glStateCache.activeTexture] = -1;
  }

  static void place(kst::Brush& brush, std::initializer_list<std::pair<int, float>> values) {
    for (auto [index, value] : values) brush.parameters[index].defaultValue = value;
  }

  // The frame's colours, row 0 at the bottom.
  static std::vector<std::uint8_t> colours() {
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }
  static Rgba at(const std::vector<std::uint8_t>& pixels, int x, int y) {
    const std::uint8_t* p = &pixels[(y * kWidth + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  static std::vector<std::uint8_t> stencil() {
    std::vector<std::uint8_t> values(kWidth * kHeight);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, values.data());
    return values;
  }
  static std::vector<float> depth() {
    std::vector<float> values(kWidth * kHeight);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, values.data());
    return values;
  }

  // Every pixel is `inside` where `covered(x, y)` holds and `outside` elsewhere.
  static void expectCoverage(const std::function<bool(int, int)>& covered, Rgba inside, Rgba outside) {
    const std::vector<std::uint8_t> frame = colours();
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (at(frame, x, y) != (covered(x, y) ? inside : outside) && ++wrong <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << testing::PrintToString(at(frame, x, y));
    EXPECT_EQ(wrong, 0);
  }

  // The first `channels` channels: red, green, blue, alpha.
  static void expectNear(Rgba got, Rgba want, int channels = 4) {
    for (int c = 0; c < channels; ++c) EXPECT_NEAR(got[c], want[c], 2) << testing::PrintToString(got);
  }

  static void expectDepthUntouched() {
    for (float value : depth()) ASSERT_EQ(value, 1.0f);
  }

 private:
  std::vector<std::string> added_;
};

const Rgba kClear{0, 0, 0, 0};

TEST_F(BitmapLayerPixels, CentredBitmapCoversExactlyTheCentreQuarter) {
  addBitmap<Image24>("red 400x300", 400, 300, [](int, int) { return Rgba{255, 0, 0, 0}; });
  kst::BitmapBrush brush;
  brush.bitmapName = "red 400x300";
  brush.horizontalAnchor = kst::BitmapBrush::kCentre;
  brush.verticalAnchor = kst::BitmapBrush::kMiddle;
  brush.Draw(0.0f);
  expectCoverage([](int x, int y) { return x >= 200 && x < 600 && y >= 150 && y < 450; }, {255, 0, 0, 255}, kClear);
  expectDepthUntouched();
}

TEST_F(BitmapLayerPixels, DefaultAnchorsPutTheBitmapInTheLowerLeftCornerTopRowUp) {
  // Top half white, bottom half green: the first row of the bitmap is its top.
  addBitmap<Image24>("two bands 400x300", 400, 300,
                     [](int, int y) { return y < 150 ? Rgba{255, 255, 255, 0} : Rgba{0, 255, 0, 0}; });
  kst::BitmapBrush brush;
  brush.bitmapName = "two bands 400x300";
  place(brush, {{kst::Brush::kX, -1.0f}, {kst::Brush::kY, -1.0f}});
  brush.Draw(0.0f);
  // The picture is scaled to a power-of-two texture, whose scaler smears the
  // outermost texels: the bands are read a few pixels inside.
  const std::vector<std::uint8_t> frame = colours();
  EXPECT_EQ(at(frame, 4, 4), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(at(frame, 395, 148), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(at(frame, 395, 151), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(frame, 4, 295), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(frame, 399, 299)[3], 255);
  EXPECT_EQ(at(frame, 400, 0), kClear);
  EXPECT_EQ(at(frame, 0, 300), kClear);
  EXPECT_EQ(at(frame, 799, 599), kClear);
}

TEST_F(BitmapLayerPixels, BackdropMapsTexelsOneToOneFromTheTopLeftAndRepeatsByItsWrapMode) {
  // 8 x 8 texels, each with its own column and row, repeated over the frame.
  addBitmap<Image24>("pattern 8x8", 8, 8, [](int x, int y) { return Rgba{x * 30, y * 30, 90, 0}; });
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = "pattern 8x8";
  backdrop.Draw(0.0f);
  const std::vector<std::uint8_t> frame = colours();
  for (int x : {0, 1, 7, 8, 13, 402, 799})
    for (int fromTop : {0, 5, 8, 300, 599})
      expectNear(at(frame, x, kHeight - 1 - fromTop), Rgba{x % 8 * 30, fromTop % 8 * 30, 90, 255});
  expectDepthUntouched();
  GLint depthFunction = 0;
  gl.glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
  EXPECT_EQ(depthFunction, GL_LESS);
}

TEST_F(BitmapLayerPixels, StockBackdropShowsThePictureAndBlackPaddingNeverItsEdge) {
  const std::string file = fake::freshFolder("backdrop") + "/640x480.png";
  ASSERT_TRUE(fake::writePicture(fake::Picture::make(640, 480, 3, [](int, int) { return std::array<int, 3>{40, 80, 160}; }),
                                 file, fake::PictureFormat::Png));
  kst::theBitmapStock().loadBackdrop(file.c_str());
  ASSERT_NE(kst::theBitmapStock().get(file.c_str()), nullptr);
  pickTexels(*kst::theBitmapStock().get(file.c_str()));
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = file;
  backdrop.Draw(0.0f);
  kst::theBitmapStock().unload(file.c_str());
  // The picture from the top-left corner; the padding is black.
  expectCoverage([](int x, int y) { return x < 640 && y >= kHeight - 480; }, {40, 80, 160, 255}, {0, 0, 0, 255});
}

TEST_F(BitmapLayerPixels, AlphaMixedBackdropReplacesThePictureOnlyWhereAlphaIsOne) {
  addBitmap<Image24>("green 16x16", 16, 16, [](int, int) { return Rgba{0, 255, 0, 0}; });
  kst::BrushFlat leftHalf;  // blue with alpha 1 on the left, the cleared frame on the right
  place(leftHalf, {{kst::Brush::kX, -0.5f}, {kst::Brush::kWidth, 1.0f}, {kst::Brush::kHeight, 2.0f},
                   {kst::Brush::kRed, 0.0f}, {kst::Brush::kGreen, 0.0f}});
  leftHalf.Draw(0.0f);
  kst::BrushBackdrop backdrop;
  backdrop.bitmapName = "green 16x16";
  backdrop.alphaMix = true;
  backdrop.Draw(0.0f);
  expectCoverage([](int x, int) { return x < 400; }, {0, 255, 0, 255}, kClear);

  startFrame(0);
  backdrop.alphaMix = false;
  backdrop.Draw(0.0f);
  expectCoverage([](int, int) { return true; }, {0, 255, 0, 255}, {});
}

TEST_F(BitmapLayerPixels, FrontdropMultipliesThePictureByItsTexels) {
  addBitmap<Image24>("tint", 4, 4, [](int, int) { return Rgba{128, 255, 0, 0}; });
  kst::BrushFlat picture;
  place(picture, {{kst::Brush::kWidth, 2.0f}, {kst::Brush::kHeight, 2.0f}, {kst::Brush::kRed, 200 / 255.0f},
                  {kst::Brush::kGreen, 100 / 255.0f}, {kst::Brush::kBlue, 50 / 255.0f}});
  picture.Draw(0.0f);
  kst::BrushFrontdrop frontdrop;
  frontdrop.bitmapName = "tint";
  frontdrop.Draw(0.0f);
  const std::vector<std::uint8_t> frame = colours();
  for (auto [x, y] : {std::pair{0, 0}, {400, 300}, {799, 599}}) {
    const Rgba got = at(frame, x, y);
    EXPECT_NEAR(got[0], 100, 2);
    EXPECT_NEAR(got[1], 100, 2);
    EXPECT_EQ(got[2], 0);
  }
  expectDepthUntouched();
}

TEST_F(BitmapLayerPixels, AlphaToStencilMarksExactlyTheOpaqueTexelsAndKeepsTheRest) {
  // A 16 x 16 mask at the lower-left corner: opaque where (x + y) % 3 != 0.
  addBitmap<Image32>("mask 16x16", 16, 16,
                     [](int x, int y) { return Rgba{255, 255, 255, (x + y) % 3 == 0 ? 0 : 255}; });
  startFrame(2);
  kst::BrushAlphaToStencil brush;
  brush.bitmapName = "mask 16x16";
  place(brush, {{kst::Brush::kX, -1.0f}, {kst::Brush::kY, -1.0f}});
  brush.Draw(0.0f);
  const std::vector<std::uint8_t> marks = stencil();
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int fromTop = 15 - y;  // bitmap row under window row y
      const bool opaque = x < 16 && y < 16 && (x + fromTop) % 3 != 0;
      if (marks[y * kWidth + x] != (opaque ? 1 : 2) && ++wrong <= 5) ADD_FAILURE() << x << ", " << y;
    }
  EXPECT_EQ(wrong, 0);
  expectCoverage([](int, int) { return false; }, {}, kClear);  // no colour written
}

TEST_F(BitmapLayerPixels, FlatRectangleOfSizeTwoCoversTheFrameBlendedBelowAlphaOne) {
  kst::BrushFlat flat;
  place(flat, {{kst::Brush::kWidth, 2.0f}, {kst::Brush::kHeight, 2.0f}, {kst::Brush::kRed, 1.0f},
               {kst::Brush::kGreen, 0.0f}, {kst::Brush::kBlue, 0.0f}});
  flat.Draw(0.0f);
  expectCoverage([](int, int) { return true; }, {255, 0, 0, 255}, {});
  kst::BrushFlat half;
  place(half, {{kst::Brush::kWidth, 2.0f}, {kst::Brush::kHeight, 2.0f}, {kst::Brush::kRed, 0.0f},
               {kst::Brush::kGreen, 0.0f}, {kst::Brush::kAlpha, 0.5f}});
  half.Draw(0.0f);
  const std::vector<std::uint8_t> frame = colours();
  for (auto [x, y] : {std::pair{0, 0}, {400, 300}, {799, 599}}) {
    const Rgba got = at(frame, x, y);
    EXPECT_NEAR(got[0], 128, 1);
    EXPECT_EQ(got[1], 0);
    EXPECT_NEAR(got[2], 128, 1);
  }
  expectDepthUntouched();
}

TEST_F(BitmapLayerPixels, SampleStripLoadedClampedStillRepeatsAsItScrolls) {
  // Four rows of alpha, top to bottom, loaded as the show loads its strips
  // (alpha bitmaps clamp at their edges); drawn in white, so each pixel's
  // grey is the alpha of the texel under it.
  const std::array<int, 4> rows{40, 100, 160, 220};
  kst::SampleBrush sample;
  sample.bitmapName =
      loadAlphaBitmap(fake::Picture::make(4, 4, 1, [&](int, int y) { return std::array<int, 1>{rows[y]}; }));
  place(sample, {{kst::Brush::kWidth, 2.0f}, {kst::Brush::kHeight, 2.0f}});
  for (float offset : {0.3f, 2.3f}) {
    startFrame(0);
    sample.textureOffset = offset;
    sample.Draw(0.0f);
    const std::vector<std::uint8_t> frame = colours();
    // Texture t runs from the offset at the top edge to offset + 1 at the
    // bottom; the centre of row r of the k-th repetition is t = k + (r + 0.5) / 4.
    int checked = 0;
    for (int k = 0; k < 4; ++k)
      for (int row = 0; row < 4; ++row) {
        const float fromTop = static_cast<float>(k) + (static_cast<float>(row) + 0.5f) / 4.0f - offset;
        if (fromTop < 0.0f || fromTop >= 1.0f) continue;
        SCOPED_TRACE(testing::Message() << "offset " << offset << " row " << row << " repetition " << k);
        const int grey = rows[row];
        expectNear(at(frame, 400, kHeight - 1 - static_cast<int>(fromTop * kHeight)), Rgba{grey, grey, grey, 0}, 3);
        ++checked;
      }
    EXPECT_EQ(checked, 4);
  }
}

}  // namespace
