// Textures built on the software GL driver and read back texel by texel.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "normal_map_samples.h"
#include "persist/scene_file.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/image_decoding.h"
#include "scene/texture_image.h"
#include "support/picture_files.h"
#include "support/shared_device.h"

namespace {

class RealTextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake::sharedRenderDevice("Skyward texture test", 64, 48));
    glStateCache.Reset();
  }

  void TearDown() override { EXPECT_EQ(gl.glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  // Level `level` of the texture as bytes of `format`, rows unpadded.
  static std::vector<std::uint8_t> readBack(const TextureImage& texture, GLint level, GLenum format, int count) {
    gl.glBindTexture(GL_TEXTURE_2D, texture.glName);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(count) * 4, 0);
    gl.glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
  }
};

TEST_F(RealTextureTest, DecodedRgbaPictureLandsTexelForTexel) {
  const fake::Picture picture = fake::Picture::make(4, 2, 4, [](int x, int y) {
    return std::array<int, 4>{60 * x, 200 * y, 255 - 50 * x, 100 + 20 * x + 70 * y};
  });
  const std::string path = fake::freshFolder("texture") + "/quad.png";
  ASSERT_TRUE(fake::writePicture(picture, path, fake::PictureFormat::Png));
  auto image = std::make_unique<Image32>();
  ASSERT_TRUE(LoadImage(*image, path));
  TextureImage texture;
  texture.flags = TextureImage::TEX_NO_MIPMAPS;  // uncompressed, so the texels come back exactly
  texture.upload(std::move(image));
  EXPECT_EQ(readBack(texture, 0, GL_RGBA, 8), picture.bytes);  // row 0 of the texture is the top row
}

TEST_F(RealTextureTest, TextureReadFromASceneFileIsBuiltInTheCallersContext) {
  TextureImage texture;
  texture.flags = TextureImage::TEX_NO_MIPMAPS;
  texture.image32 = std::make_unique<Image32>();
  texture.image32->setSize(2, 1);
  for (int i = 0; i < 8; ++i) texture.image32->pixels[i] = static_cast<std::uint8_t>(30 * i);
  const std::string path = fake::freshFolder("texture") + "/one.kst";
  writeSceneFile(path, texture);

  const HGLRC context = gl.wglGetCurrentContext();
  const std::unique_ptr<persistent> read = readSceneFile(path);
  EXPECT_EQ(gl.wglGetCurrentContext(), context);
  const auto* back = dynamic_cast<const TextureImage*>(read.get());
  ASSERT_NE(back, nullptr);
  ASSERT_NE(back->glName, 0u);
  EXPECT_EQ(gl.glIsTexture(back->glName), GL_TRUE);
  std::vector<std::uint8_t> texels = readBack(*back, 0, GL_RGBA, 2);
  EXPECT_EQ(texels, (std::vector<std::uint8_t>{0, 30, 60, 90, 120, 150, 180, 210}));
}

TEST_F(RealTextureTest, RgbRowsOfOddLengthAndScaledSides) {
  // 2x2 RGB rows are 6 bytes: they must be read unpadded.
  auto small = std::make_unique<Image24>();
  small->setSize(2, 2);
  for (int i = 0; i < 12; ++i) small->pixels[i] = static_cast<std::uint8_t>(10 * i);
  TextureImage texture;
  texture.flags = TextureImage::TEX_NO_MIPMAPS;
  texture.upload(std::move(small));
  std::vector<std::uint8_t> texels = readBack(texture, 0, GL_RGB, 4);
  texels.resize(12);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(texels[i], 10 * i) << i;
  // A plain 3x3 picture scaled to 4x4 stays plain.
  auto odd = std::make_unique<Image32>();
  odd->setSize(3, 3);
  for (int i = 0; i < 9; ++i) std::copy_n(std::array<std::uint8_t, 4>{20, 140, 230, 255}.data(), 4, &odd->pixels[4 * i]);
  texture.upload(std::move(odd));
  const std::vector<std::uint8_t> scaled = readBack(texture, 0, GL_RGBA, 16);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(scaled[4 * i], 20);
    EXPECT_EQ(scaled[4 * i + 2], 230);
  }
}

TEST_F(RealTextureTest, DriverMadeMipmapsAndTheirAccount) {
  auto image = std::make_unique<Image32>();
  image->setSize(8, 8);
  for (std::size_t i = 0; i < image->byteSize(); ++i) image->pixels[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 255 : 90);
  TextureImage texture;
  texture.upload(std::move(image));
  const std::vector<std::uint8_t> level1 = readBack(texture, 1, GL_RGBA, 16);
  EXPECT_EQ(level1[0], 90);
  EXPECT_EQ(level1[63], 255);
  // Levels 0 to 2 of 8x8 RGBA, four bytes a texel.
  EXPECT_EQ(texture.memoryUsage().raw, (64u + 16u + 4u) * 4u);
}

TEST_F(RealTextureTest, NormalMapLevelsFollowTheFormulaAndTheAveraging) {
  TextureImage texture;
  texture.flags = TextureImage::TEX_NORMAL_MAP;
  texture.upload(scenetest::PeakHeights());
  const std::vector<std::uint8_t> level0 = readBack(texture, 0, GL_BGRA_EXT, 4);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      for (int c = 0; c < 4; ++c)
        EXPECT_EQ(level0[(y * 2 + x) * 4 + c], scenetest::kPeakNormals[y][x][c]) << x << "," << y << " byte " << c;
  const std::vector<std::uint8_t> level1 = readBack(texture, 1, GL_BGRA_EXT, 1);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(level1[c], scenetest::kPeakFirstMip[c]) << c;
  GLint minFilter = 0;
  gl.glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_NEAREST_MIPMAP_NEAREST);
}

TEST_F(RealTextureTest, BindingDrawsFromTheTexture) {
  auto image = std::make_unique<Image32>();
  image->setSize(1, 1);
  const std::array<std::uint8_t, 4> blueFirst{200, 100, 50, 255};  // red 50, green 100, blue 200
  std::copy_n(blueFirst.data(), 4, image->pixels.get());
  image->bgrOrder = 1;
  TextureImage texture(std::move(image), TextureImage::TEX_NO_MIPMAPS);
  glStateCache.SetTextureMask(1);
  texture.bind(0);
  gl.glMatrixMode(GL_PROJECTION);
  gl.glLoadIdentity();
  gl.glMatrixMode(GL_MODELVIEW);
  gl.glLoadIdentity();
  gl.glDisable(GL_CULL_FACE);
  gl.glDisable(GL_DEPTH_TEST);
  gl.glBegin(GL_QUADS);
  gl.glTexCoord2f(0.5f, 0.5f);
  gl.glVertex2f(-1, -1);
  gl.glVertex2f(1, -1);
  gl.glVertex2f(1, 1);
  gl.glVertex2f(-1, 1);
  gl.glEnd();
  std::array<GLubyte, 4> pixel{};
  gl.glReadPixels(20, 20, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  // The picture's constructor compresses: allow the codec's rounding.
  EXPECT_NEAR(pixel[0], 50, 8);
  EXPECT_NEAR(pixel[1], 100, 8);
  EXPECT_NEAR(pixel[2], 200, 8);
}

}  // namespace
