#pragma once
// A recording GL world for texture tests: it hands out texture names,
// answers GL_MAX_TEXTURE_SIZE and keeps a copy of every level uploaded.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/image.h"
#include "support/recording_gl.h"

namespace scenetest {

struct Upload {
  GLint level;
  GLint internalFormat;
  GLsizei width;
  GLsizei height;
  GLenum format;
  std::vector<std::uint8_t> bytes;  // empty when no pixels were given
};

inline int bytesPerPixelOf(GLenum format) {
  switch (format) {
    case GL_RGBA: case GL_BGRA_EXT: return 4;
    case GL_RGB: case GL_BGR_EXT: return 3;
    default: return 1;
  }
}

class RecordedTextures : public ::testing::Test {
 protected:
  RecordedTextures() {
    fake::RecordingGL::FillTable();
    world.driver.integers[GL_MAX_TEXTURE_SIZE] = {2048};
    world.driver.on<GLEntryId::glGenTextures>([this](GLsizei, GLuint* names) { *names = nextName++; });
    auto keep = [this](GLenum, GLint level, GLint internal, GLsizei width, GLsizei height, GLint, GLenum format,
                       GLenum, const void* pixels) {
      Upload upload{level, internal, width, height, format, {}};
      const auto* bytes = static_cast<const std::uint8_t*>(pixels);
      if (bytes != nullptr) upload.bytes.assign(bytes, bytes + width * height * bytesPerPixelOf(format));
      uploads.push_back(upload);
    };
    world.driver.on<GLEntryId::glTexImage2D>(keep);
    world.driver.on<GLEntryId::gluBuild2DMipmaps>(
        [keep](GLenum target, GLint internal, GLsizei width, GLsizei height, GLenum format, GLenum type,
               const void* pixels) {
          keep(target, -1, internal, width, height, 0, format, type, pixels);  // level -1: the whole chain
          return 0;
        });
  }

  // Only the named capabilities count as present.
  void offer(std::initializer_list<GLCap> present) {
    for (std::size_t i = 0; i < kGLCapCount; ++i) SetGLCapability(static_cast<GLCap>(i), 0);
    for (GLCap cap : present) SetGLCapability(cap, 1);
  }

  // Lines of the calls of `function`, in order.
  std::vector<std::string> callsOf(const std::string& function) const {
    std::vector<std::string> found;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with(function + "(")) found.push_back(line);
    return found;
  }

  template <typename ImageType>
  static std::unique_ptr<ImageType> picture(int width, int height, int bgrOrder = 0) {
    auto image = std::make_unique<ImageType>();
    image->setSize(width, height);
    for (std::size_t i = 0; i < image->byteSize(); ++i) image->pixels[i] = static_cast<std::uint8_t>(i);
    if constexpr (!std::is_same_v<ImageType, Image8>) image->bgrOrder = bgrOrder;
    return image;
  }

  fake::FakeGLWorld world;
  GLuint nextName = 1;
  std::vector<Upload> uploads;
};

}  // namespace scenetest
