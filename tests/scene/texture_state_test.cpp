// Binding, wrap modes, memory accounting, the report and destruction of
// textures, checked at the level of GL calls.
#include <gtest/gtest.h>

#include <map>

#include "recorded_textures.h"
#include "render/gl_state_cache.h"
#include "scene/texture_image.h"
#include "base/log.h"
#include "support/log_capture.h"

namespace {

using scenetest::RecordedTextures;
using Strings = std::vector<std::string>;

// What the driver says about the levels of each texture.
struct LevelSizes {
  std::map<GLenum, GLint> bits;  // component size by GL_TEXTURE_*_SIZE
  GLint compressedBytes = 0;     // per level
};

class TextureState : public RecordedTextures {
 protected:
  TextureState() {
    offer({GLCap::Core, GLCap::GLU, GLCap::ARB_multitexture, GLCap::SGIS_generate_mipmap,
           GLCap::ARB_texture_compression});
    world.driver.on<GLEntryId::glBindTexture>([this](GLenum, GLuint name) { bound = name; });
    world.driver.on<GLEntryId::glGetTexLevelParameteriv>([this](GLenum, GLint level, GLenum what, GLint* out) {
      levelsAsked.push_back(level);
      const LevelSizes& sizes = driverSizes[bound];
      if (what == GL_TEXTURE_COMPRESSED_IMAGE_SIZE_ARB) {
        *out = sizes.compressedBytes;
      } else {
        auto found = sizes.bits.find(what);
        *out = found == sizes.bits.end() ? 0 : found->second;
      }
    });
  }

  static LevelSizes rgba8() {
    return {{{GL_TEXTURE_RED_SIZE, 8}, {GL_TEXTURE_GREEN_SIZE, 8}, {GL_TEXTURE_BLUE_SIZE, 8}, {GL_TEXTURE_ALPHA_SIZE, 8}},
            0};
  }

  std::unique_ptr<TextureImage> uploaded(int width, int height, std::uint32_t flags) {
    auto texture = std::make_unique<TextureImage>();
    texture->flags = flags;
    texture->upload(picture<Image32>(width, height));
    return texture;
  }

  GLuint bound = 0;
  std::map<GLuint, LevelSizes> driverSizes;
  std::vector<GLint> levelsAsked;
};

TEST_F(TextureState, EmptyTextureHasTheDocumentedDefaults) {
  TextureImage texture;
  EXPECT_EQ(texture.image32, nullptr);
  EXPECT_EQ(texture.image24, nullptr);
  EXPECT_EQ(texture.image8, nullptr);
  EXPECT_FALSE(texture.hasAlpha);
  EXPECT_EQ(texture.maxAnisotropy, 2.0f);
  EXPECT_EQ(texture.flags, 0u);
  EXPECT_EQ(texture.glName, 0u);
  for (GLenum wrap : {texture.wrapS, texture.wrapT, texture.appliedWrapS, texture.appliedWrapT})
    EXPECT_EQ(wrap, static_cast<GLenum>(GL_REPEAT));
  EXPECT_EQ(texture.magFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(texture.appliedMagFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(texture.minFilter, static_cast<GLenum>(GL_LINEAR_MIPMAP_LINEAR));
  EXPECT_EQ(texture.appliedMinFilter, static_cast<GLenum>(GL_LINEAR_MIPMAP_LINEAR));
}

TEST_F(TextureState, MirroredRepeatFallsBackWithoutTheExtension) {
  TextureImage texture;
  texture.setWrapS(GL_MIRRORED_REPEAT_IBM);
  texture.setWrapT(GL_CLAMP);
  EXPECT_EQ(texture.wrapS, static_cast<GLenum>(GL_REPEAT));
  EXPECT_EQ(texture.wrapT, static_cast<GLenum>(GL_CLAMP));
  SetGLCapability(GLCap::IBM_texture_mirrored_repeat, 1);
  texture.setWrapT(GL_MIRRORED_REPEAT_IBM);
  EXPECT_EQ(texture.wrapT, static_cast<GLenum>(GL_MIRRORED_REPEAT_IBM));
}

TEST_F(TextureState, BindSendsOnlyWhatChanged) {
  auto texture = uploaded(4, 4, 0);
  world.driver.clear();
  texture->bind(0);
  EXPECT_EQ(world.driver.calls, Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1)});
  world.driver.clear();
  texture->setWrapT(GL_CLAMP);
  texture->magFilter = GL_NEAREST;
  texture->bind(0);
  EXPECT_EQ(world.driver.calls, (Strings{fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP),
                                         fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)}));
  EXPECT_EQ(texture->appliedWrapT, static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(texture->appliedMagFilter, static_cast<GLenum>(GL_NEAREST));
  world.driver.clear();
  texture->bind(0);
  EXPECT_TRUE(world.driver.calls.empty());
}

TEST_F(TextureState, ValuesSentAtUploadCountAsApplied) {
  // Clamped at upload, back to repeat afterwards: GL holds clamp, so the
  // change must still be sent.
  TextureImage texture;
  texture.setWrapS(GL_CLAMP);
  texture.upload(picture<Image32>(4, 4));
  texture.setWrapS(GL_REPEAT);
  world.driver.clear();
  texture.bind(0);
  EXPECT_EQ(callsOf("glTexParameteri"), Strings{fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT)});
}

TEST_F(TextureState, ParametersReachTheTexturesUnit) {
  auto texture = uploaded(4, 4, 0);
  texture->bind(1);
  glStateCache.SelectTextureUnit(0);
  world.driver.clear();
  texture->minFilter = GL_NEAREST;
  texture->bind(1);
  EXPECT_EQ(world.driver.calls,
            (Strings{fake::call("glActiveTextureARB", GL_TEXTURE1_ARB), fake::call("glClientActiveTextureARB", GL_TEXTURE1_ARB),
                     fake::call("glTexParameteri", GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)}));
}

TEST_F(TextureState, CacheForgetsBindingsMadeOrUndoneBehindIt) {
  auto first = uploaded(4, 4, 0);
  first->bind(0);
  EXPECT_EQ(glStateCache.boundTexture[0], 1);
  auto second = uploaded(4, 4, 0);  // binds name 2 directly on unit 0
  world.driver.clear();
  first->bind(0);
  EXPECT_EQ(world.driver.calls, Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1)});
  first.reset();  // GL unbinds the name and will hand it out again
  EXPECT_EQ(glStateCache.boundTexture[0], -1);
  nextName = 1;
  auto reused = uploaded(4, 4, 0);
  ASSERT_EQ(reused->glName, 1u);
  world.driver.clear();
  reused->bind(0);
  EXPECT_EQ(world.driver.calls, Strings{fake::call("glBindTexture", GL_TEXTURE_2D, 1)});
}

TEST_F(TextureState, MipmappedTextureIsAccountedOverEightLevels) {
  driverSizes[1] = rgba8();
  auto texture = uploaded(256, 256, 0);
  const TextureImage::MemoryUsage usage = texture->memoryUsage();
  std::size_t texels = 0;
  for (int side = 256; side >= 2; side /= 2) texels += static_cast<std::size_t>(side) * side;  // levels 0 to 7
  EXPECT_EQ(usage.raw, texels * 4);
  EXPECT_EQ(usage.resident, usage.raw);
  EXPECT_EQ(*std::max_element(levelsAsked.begin(), levelsAsked.end()), 7);
}

TEST_F(TextureState, UnmippedTextureIsAccountedOverOneLevel) {
  driverSizes[1] = rgba8();
  auto texture = uploaded(256, 200, TextureImage::TEX_NO_MIPMAPS);
  EXPECT_EQ(texture->minFilter, static_cast<GLenum>(GL_LINEAR));
  EXPECT_EQ(texture->memoryUsage().raw, 256u * 256u * 4u);
  for (GLint level : levelsAsked) EXPECT_EQ(level, 0);
}

TEST_F(TextureState, CompressedSizesAndUnevenBitsAndSides) {
  driverSizes[1] = {{{GL_TEXTURE_RED_SIZE, 5}, {GL_TEXTURE_GREEN_SIZE, 6}, {GL_TEXTURE_BLUE_SIZE, 5}}, 100};
  auto texture = uploaded(256, 64, TextureImage::TEX_COMPRESS);
  const TextureImage::MemoryUsage usage = texture->memoryUsage();
  // Levels 0 to 7, the short side stopping at one texel; 16 bits = 2 bytes.
  const std::size_t texels = 256 * 64 + 128 * 32 + 64 * 16 + 32 * 8 + 16 * 4 + 8 * 2 + 4 * 1 + 2 * 1;
  EXPECT_EQ(usage.raw, texels * 2);
  EXPECT_EQ(usage.resident, 800u);
  // Partial bytes count whole; the 8-bit picture is the one measured.
  driverSizes[1] = {{{GL_TEXTURE_LUMINANCE_SIZE, 4}}, 0};
  texture->flags = TextureImage::TEX_NO_MIPMAPS;
  texture->upload(picture<Image8>(16, 8));
  driverSizes[2] = driverSizes[1];
  EXPECT_EQ(texture->memoryUsage().raw, 128u);
  EXPECT_EQ(TextureImage().memoryUsage().raw, 0u);
}

TEST_F(TextureState, ReportListsEachTextureThenTheTotals) {
  fake::LogCapture log;
  const Strings& lines = log.lines();
  std::vector<std::unique_ptr<TextureImage>> textures;
  driverSizes[1] = {rgba8().bits, 65536};
  textures.push_back(uploaded(256, 256, TextureImage::TEX_NO_MIPMAPS | TextureImage::TEX_COMPRESS));
  textures.back()->name = "sky";
  driverSizes[2] = {{{GL_TEXTURE_LUMINANCE_SIZE, 8}}, 0};
  textures.push_back(std::make_unique<TextureImage>());
  textures.back()->flags = TextureImage::TEX_NO_MIPMAPS;
  textures.back()->upload(picture<Image8>(128, 128));
  textures.back()->name = "mask";
  reportTextureMemory(textures);
  // 64 KB of 272 KB resident; the lines below the heading two blanks deeper.
  EXPECT_EQ(lines, (Strings{"\n*** RAM used for textures : ", "\n  sky : (256Kb => 64Kb)", "\n  mask : (16Kb => 16Kb)",
                            "\n  total RAM used : 0.1Mb (raw size : 0.3Mb, compression ratio : 29.4%)"}));
  EXPECT_EQ(kst::logIndentLevel(), 0);
  textures.clear();
  reportTextureMemory(textures);  // nothing to count: no division by zero
  EXPECT_EQ(lines.back(), "\n  total RAM used : 0.0Mb (raw size : 0.0Mb, compression ratio : 100.0%)");
}

TEST_F(TextureState, DestructionLogsAroundDeletingTheName) {
  auto texture = uploaded(4, 4, 0);
  texture->bind(0);
  world.driver.clear();
  fake::LogCapture log;
  texture.reset();
  EXPECT_EQ(log.lines(), (Strings{"\ndelete texture : 1", "\n  done."}));
  EXPECT_EQ(world.driver.names(), Strings{"glDeleteTextures"});
  world.driver.clear();
  { TextureImage neverUploaded; }  // has no name to give back
  EXPECT_TRUE(world.driver.calls.empty());
}

}  // namespace
