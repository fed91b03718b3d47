// Building GL textures from pictures, checked at the level of GL calls.
#include <gtest/gtest.h>

#include "recorded_textures.h"
#include "scene/texture_image.h"
#include "scene/texture_sizing.h"

namespace {

using scenetest::RecordedTextures;
using Strings = std::vector<std::string>;

TEST(TextureSideTest, SmallestPowerOfTwoNotBelowWithinTheMaximum) {
  EXPECT_EQ(TextureSide(256, 2048), 256);
  EXPECT_EQ(TextureSide(200, 2048), 256);
  EXPECT_EQ(TextureSide(300, 2048), 512);
  EXPECT_EQ(TextureSide(1024, 2048), 1024);
  EXPECT_EQ(TextureSide(2048, 2048), 2048);
  EXPECT_EQ(TextureSide(4096, 2048), 2048);
  EXPECT_EQ(TextureSide(3000, 2048), 2048);
  EXPECT_EQ(TextureSide(1, 2048), 1);
  EXPECT_EQ(TextureSide(3, 2048), 4);
  EXPECT_EQ(TextureSide(0, 2048), 0);
}

struct SizingCase {
  int width, height, maxSize, wantWidth, wantHeight;
};

class TextureSizing : public RecordedTextures, public ::testing::WithParamInterface<SizingCase> {};

TEST_P(TextureSizing, PictureIsScaledToTheTextureSize) {
  const SizingCase size = GetParam();
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  world.driver.integers[GL_MAX_TEXTURE_SIZE] = {size.maxSize};
  struct Scale {
    GLenum format;
    GLint inWidth, inHeight, outWidth, outHeight;
  };
  std::vector<Scale> scales;
  world.driver.on<GLEntryId::gluScaleImage>([&](GLenum format, GLint inWidth, GLint inHeight, GLenum, const void*,
                                                 GLint outWidth, GLint outHeight, GLenum, void*) {
    scales.push_back({format, inWidth, inHeight, outWidth, outHeight});
    return 0;
  });
  TextureImage texture;
  texture.upload(picture<Image32>(size.width, size.height));
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].width, size.wantWidth);
  EXPECT_EQ(uploads[0].height, size.wantHeight);
  EXPECT_EQ(texture.image32->width, size.wantWidth);
  EXPECT_EQ(texture.image32->height, size.wantHeight);
  EXPECT_EQ(texture.image32->byteSize(), static_cast<std::size_t>(size.wantWidth) * size.wantHeight * 4);
  const bool resized = size.width != size.wantWidth || size.height != size.wantHeight;
  ASSERT_EQ(scales.size(), resized ? 1u : 0u);
  if (!resized) return;
  EXPECT_EQ(scales[0].format, static_cast<GLenum>(GL_RGBA));
  EXPECT_EQ(scales[0].inWidth, size.width);
  EXPECT_EQ(scales[0].inHeight, size.height);
  EXPECT_EQ(scales[0].outWidth, size.wantWidth);
  EXPECT_EQ(scales[0].outHeight, size.wantHeight);
  EXPECT_EQ(callsOf("glPixelStorei"),
            (Strings{fake::call("glPixelStorei", GL_PACK_ALIGNMENT, 1), fake::call("glPixelStorei", GL_UNPACK_ALIGNMENT, 1)}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TextureSizing,
                         ::testing::Values(SizingCase{256, 200, 2048, 256, 256}, SizingCase{300, 300, 2048, 512, 512},
                                           SizingCase{1024, 1024, 2048, 1024, 1024},
                                           SizingCase{4096, 64, 2048, 2048, 64}));

using TextureUpload = RecordedTextures;

// Level-0-only uploads, so that the bytes sent are the picture's own.
class ByteOrder : public RecordedTextures {
 protected:
  template <typename ImageType>
  const scenetest::Upload& send(std::unique_ptr<ImageType> image) {
    texture.flags = TextureImage::TEX_NO_MIPMAPS;
    texture.upload(std::move(image));
    return uploads.back();
  }
  TextureImage texture;
};

TEST_F(ByteOrder, BlueFirstBytesGoAsBgraWhenTheDriverTakesThem) {
  offer({GLCap::Core, GLCap::GLU, GLCap::EXT_bgra});
  const scenetest::Upload& rgba = send(picture<Image32>(2, 2, 1));
  EXPECT_EQ(rgba.format, static_cast<GLenum>(GL_BGRA_EXT));
  EXPECT_EQ(rgba.bytes[0], 0);
  EXPECT_EQ(rgba.bytes[2], 2);
  const scenetest::Upload& rgb = send(picture<Image24>(4, 4, 1));
  EXPECT_EQ(rgb.format, static_cast<GLenum>(GL_BGR_EXT));
  EXPECT_EQ(rgb.bytes[3], 3);
}

TEST_F(ByteOrder, BlueFirstBytesAreSwappedInPlaceWithoutBgra) {
  offer({GLCap::Core, GLCap::GLU});
  const scenetest::Upload rgba = send(picture<Image32>(2, 2, 1));
  EXPECT_EQ(rgba.format, static_cast<GLenum>(GL_RGBA));
  // Pixel i held bytes 4i, 4i+1, 4i+2, 4i+3 blue first: red and blue trade places.
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rgba.bytes[4 * i], 4 * i + 2);
    EXPECT_EQ(rgba.bytes[4 * i + 1], 4 * i + 1);
    EXPECT_EQ(rgba.bytes[4 * i + 2], 4 * i);
    EXPECT_EQ(rgba.bytes[4 * i + 3], 4 * i + 3);
  }
  // The kept picture now says red first, so another upload leaves it alone.
  EXPECT_EQ(texture.image32->bgrOrder, 0);
  EXPECT_EQ(texture.image32->pixels[0], 2);
  const scenetest::Upload& rgb = send(picture<Image24>(4, 1, 1));
  EXPECT_EQ(rgb.format, static_cast<GLenum>(GL_RGB));
  EXPECT_EQ(rgb.bytes[0], 2);
  EXPECT_EQ(rgb.bytes[3], 5);
}

TEST_F(ByteOrder, RedFirstBytesGoUntouched) {
  offer({GLCap::Core, GLCap::GLU, GLCap::EXT_bgra});
  const scenetest::Upload& rgba = send(picture<Image32>(2, 2, 0));
  EXPECT_EQ(rgba.format, static_cast<GLenum>(GL_RGBA));
  EXPECT_EQ(rgba.bytes[0], 0);
}

TEST_F(TextureUpload, CompressedFormatsNeedTheFlagAndTheExtension) {
  offer({GLCap::Core, GLCap::GLU, GLCap::ARB_texture_compression, GLCap::SGIS_generate_mipmap});
  TextureImage forced(picture<Image32>(4, 4), 0);  // the picture constructors ask for compression
  EXPECT_EQ(forced.flags, static_cast<std::uint32_t>(TextureImage::TEX_COMPRESS));
  EXPECT_EQ(uploads.back().internalFormat, GL_COMPRESSED_RGBA_ARB);
  TextureImage rgb(picture<Image24>(4, 4), 0);
  EXPECT_EQ(uploads.back().internalFormat, GL_COMPRESSED_RGB_ARB);
  TextureImage plain;
  plain.upload(picture<Image32>(4, 4));
  EXPECT_EQ(uploads.back().internalFormat, GL_RGBA);
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage unable(picture<Image24>(4, 4), 0);
  EXPECT_EQ(uploads.back().internalFormat, GL_RGB);
}

TEST_F(TextureUpload, WithoutMipmapsOneLevelAndLinearMinification) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage texture;
  texture.flags = TextureImage::TEX_NO_MIPMAPS;
  texture.upload(picture<Image32>(8, 8));
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].level, 0);
  EXPECT_EQ(texture.minFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(callsOf("gluBuild2DMipmaps").size(), 0u);
  EXPECT_EQ(callsOf("glTexParameteri"),
            (Strings{fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR),
                     fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR),
                     fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT),
                     fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT)}));
}

// Even where the driver offers to generate mipmaps: GLU builds them, the
// same in every context.
TEST_F(TextureUpload, GluBuildsTheMipmapsWhereTheDriverCouldGenerateThem) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap, GLCap::EXT_texture_filter_anisotropic});
  TextureImage texture;
  texture.maxAnisotropy = 4.0f;
  texture.upload(picture<Image32>(8, 8));
  const Strings expected{fake::call("glGenTextures", 1, &texture.glName),
                         fake::call("glBindTexture", GL_TEXTURE_2D, 1),
                         fake::call("glGetIntegerv", GL_MAX_TEXTURE_SIZE, nullptr),
                         "gluBuild2DMipmaps",
                         fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR),
                         fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR),
                         fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT),
                         fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT),
                         fake::call("glTexParameterf", GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 4.0f)};
  ASSERT_EQ(world.driver.calls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i].find('(') == std::string::npos || expected[i].starts_with("glGetIntegerv"))
      EXPECT_EQ(world.driver.names()[i], expected[i].substr(0, expected[i].find('('))) << i;
    else
      EXPECT_EQ(world.driver.calls[i], expected[i]) << i;
  }
  EXPECT_EQ(texture.glName, 1u);
  EXPECT_EQ(uploads[0].level, -1);  // gluBuild2DMipmaps
}

TEST_F(TextureUpload, GluBuildsTheMipmapsWithoutTheDriversHelp) {
  offer({GLCap::Core, GLCap::GLU, GLCap::EXT_bgra});
  TextureImage texture;
  texture.upload(picture<Image24>(8, 4, 1));
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].level, -1);  // gluBuild2DMipmaps
  EXPECT_EQ(uploads[0].internalFormat, GL_RGB);
  EXPECT_EQ(uploads[0].format, static_cast<GLenum>(GL_BGR_EXT));
  EXPECT_EQ(callsOf("glTexImage2D").size(), 0u);
  EXPECT_EQ(callsOf("glTexParameterf").size(), 0u);  // no anisotropic filtering offered
}

TEST_F(TextureUpload, AlphaAndWhatHappensToThePixels) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage texture;
  auto named = picture<Image32>(4, 4);
  named->name = "demo\\backs\\1.jpg";
  texture.upload(std::move(named));
  EXPECT_TRUE(texture.hasAlpha);
  EXPECT_EQ(texture.uploadFormat, static_cast<std::uint32_t>(GL_RGBA));
  EXPECT_EQ(texture.image32->pixels, nullptr);  // can be read again from its file
  EXPECT_EQ(texture.image32->width, 4);
  texture.upload(picture<Image24>(4, 4));
  EXPECT_FALSE(texture.hasAlpha);
  ASSERT_NE(texture.image24->pixels, nullptr);  // raw pixels have nowhere else to come from
  EXPECT_EQ(texture.image24->pixels[5], 5);
  EXPECT_NE(texture.image32, nullptr);  // each layout keeps its own picture
}

TEST_F(TextureUpload, ReuploadDeletesTheOldNameFirst) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage texture;
  texture.upload(picture<Image32>(4, 4));
  world.driver.clear();
  texture.upload(picture<Image32>(4, 4));
  const Strings names = world.driver.names();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "glDeleteTextures");
  EXPECT_EQ(names[1], "glGenTextures");
  EXPECT_EQ(world.driver.calls[2], fake::call("glBindTexture", GL_TEXTURE_2D, 2));
  EXPECT_EQ(texture.glName, 2u);
}

TEST_F(TextureUpload, EightBitLuminanceOrAlpha) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap, GLCap::ARB_texture_compression});
  TextureImage luminance;
  luminance.upload(picture<Image8>(4, 4));
  EXPECT_EQ(uploads.back().format, static_cast<GLenum>(GL_LUMINANCE));
  EXPECT_EQ(uploads.back().internalFormat, GL_LUMINANCE);
  EXPECT_EQ(uploads.back().bytes[7], 7);
  EXPECT_FALSE(luminance.hasAlpha);
  EXPECT_EQ(luminance.image8->pixels, nullptr);  // always dropped
  TextureImage alpha(picture<Image8>(4, 4), TextureImage::TEX_ALPHA_ONLY);
  EXPECT_EQ(uploads.back().format, static_cast<GLenum>(GL_ALPHA));
  EXPECT_EQ(uploads.back().internalFormat, GL_COMPRESSED_ALPHA_ARB);
  EXPECT_TRUE(alpha.hasAlpha);
  TextureImage compressed(picture<Image8>(4, 4), 0);
  EXPECT_EQ(uploads.back().internalFormat, GL_COMPRESSED_LUMINANCE_ARB);
}

TEST_F(TextureUpload, RowsOfOddLengthAreReadUnpadded) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage texture;
  texture.upload(picture<Image8>(5, 3));  // 8-bit pictures keep their size
  EXPECT_EQ(uploads.back().width, 5);
  EXPECT_EQ(callsOf("glPixelStorei"), Strings{fake::call("glPixelStorei", GL_UNPACK_ALIGNMENT, 1)});
  world.driver.clear();
  texture.upload(picture<Image8>(8, 3));
  EXPECT_EQ(callsOf("glPixelStorei").size(), 0u);
}

TEST_F(TextureUpload, NormalMapUploadsItsWholeChain) {
  offer({GLCap::Core, GLCap::GLU, GLCap::SGIS_generate_mipmap});
  TextureImage texture;
  texture.flags = TextureImage::TEX_NORMAL_MAP | TextureImage::TEX_NO_MIPMAPS;
  texture.upload(picture<Image8>(4, 2));
  ASSERT_EQ(uploads.size(), 3u);
  const int sizes[3][2] = {{4, 2}, {2, 1}, {1, 1}};
  for (int level = 0; level < 3; ++level) {
    EXPECT_EQ(uploads[level].level, level);
    EXPECT_EQ(uploads[level].internalFormat, GL_RGBA8);
    EXPECT_EQ(uploads[level].format, static_cast<GLenum>(GL_BGRA_EXT));
    EXPECT_EQ(uploads[level].width, sizes[level][0]);
    EXPECT_EQ(uploads[level].height, sizes[level][1]);
  }
  EXPECT_EQ(texture.magFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(texture.minFilter, static_cast<GLenum>(GL_NEAREST_MIPMAP_NEAREST));
  EXPECT_FALSE(texture.hasAlpha);
  EXPECT_EQ(callsOf("glTexParameteri")[1],
            fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST));
}

TEST_F(TextureUpload, EmptyPictureUploadsWithoutTouchingPixels) {
  offer({GLCap::Core, GLCap::GLU});
  TextureImage texture;
  texture.upload(std::make_unique<Image32>());
  texture.upload(std::unique_ptr<Image24>());
  TextureImage normals;
  normals.flags = TextureImage::TEX_NORMAL_MAP;
  normals.upload(std::make_unique<Image8>());
  EXPECT_EQ(callsOf("gluBuild2DMipmaps").size(), 0u);
  EXPECT_NE(texture.glName, 0u);
}

}  // namespace
