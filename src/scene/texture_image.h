#pragma once
// A GL texture object built from a picture: power-of-two sizing, byte
// order, compression, mipmaps, filters and wrap modes, and what it costs in
// memory. Building one needs a current GL context; so does destroying one
// that has a GL name.
#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "persist/persistent.h"
#include "scene/image.h"

// A texture could not be stored: its picture file cannot be read again, or
// an unnamed picture no longer has its pixels. A scene file is never
// written with a picture left out.
class PictureSaveError : public std::runtime_error {
 public:
  PictureSaveError(const std::string& picture, const std::string& reason);
  std::string picture;
};

class TextureImage : public persistent {
 public:
  static constexpr const char storedName[] = "class TextureImage";

  enum Flags : std::uint32_t {
    TEX_COMPRESS = 0x1,    // compressed internal format where the driver offers one
    TEX_NO_MIPMAPS = 0x2,  // level 0 only, GL_LINEAR minification
    TEX_ALPHA_ONLY = 0x4,  // 8-bit pictures: the bytes are alpha, not luminance
    TEX_NORMAL_MAP = 0x8,  // 8-bit pictures: the bytes are heights, uploaded as a normal map
  };

  struct MemoryUsage {
    std::size_t raw = 0;       // texels times their component bytes, over the levels
    std::size_t resident = 0;  // what the driver says it keeps (compressed), else raw
  };

  TextureImage() = default;
  // These force TEX_COMPRESS on and upload at once.
  TextureImage(std::unique_ptr<Image32> image, std::uint32_t flags);
  TextureImage(std::unique_ptr<Image24> image, std::uint32_t flags);
  TextureImage(std::unique_ptr<Image8> image, std::uint32_t flags);
  ~TextureImage() override;
  TextureImage(const TextureImage&) = delete;
  TextureImage& operator=(const TextureImage&) = delete;

  // Each takes the picture, replaces the one of that layout and builds a new
  // GL texture from it. With no GL table bound (a tool that only inspects
  // scene files) the picture is kept, pixels and all, and the GL texture
  // waits for uploadKept or the first bind.
  void upload(std::unique_ptr<Image32> image);
  void upload(std::unique_ptr<Image24> image);
  void upload(std::unique_ptr<Image8> image);
  // Builds the GL texture from the picture kept while no GL table was bound
  // (or by a read that keeps pictures); nothing when no picture waits (or
  // still no table is bound).
  void uploadKept();

  // GL_MIRRORED_REPEAT_IBM falls back to GL_REPEAT where the driver lacks it.
  void setWrapS(GLenum mode);
  void setWrapT(GLenum mode);

  // Binds on texture unit `unit` and sends the wrap modes and filters that
  // changed since they were last sent. A kept picture is uploaded first.
  void bind(int unit);

  MemoryUsage memoryUsage() const;

  // Filters, wrap modes, anisotropy, flags, then each picture: raw pixels
  // when it has no name, else its file as it lies on disk. Each picture read
  // is uploaded at once (with a GL table bound, in the current context).
  void serialize(persistent_store& store, bool writing) override;
  std::int16_t version() const override { return 0; }

  std::unique_ptr<Image32> image32;
  std::unique_ptr<Image24> image24;
  std::unique_ptr<Image8> image8;
  std::string name;  // for the texture report; not stored in scene files
  // The size of the last picture uploaded as it was given, before any
  // power-of-two fitting: what a bitmap layer shows pixel for pixel.
  std::int32_t pictureWidth = 0;
  std::int32_t pictureHeight = 0;
  std::uint32_t uploadFormat = 0;
  bool hasAlpha = false;
  float maxAnisotropy = 2.0f;
  std::uint32_t flags = 0;
  GLuint glName = 0;
  GLenum wrapS = GL_REPEAT;
  GLenum wrapT = GL_REPEAT;
  GLenum magFilter = GL_LINEAR;
  GLenum minFilter = GL_LINEAR_MIPMAP_LINEAR;
  GLenum appliedWrapS = GL_REPEAT;
  GLenum appliedWrapT = GL_REPEAT;
  GLenum appliedMagFilter = GL_LINEAR;
  GLenum appliedMinFilter = GL_LINEAR_MIPMAP_LINEAR;

 private:
  // The layout of the picture that waits for GL.
  enum class Kept : std::uint8_t { None, Rgba, Rgb, Grey };

  // Uploads the picture into its slot, or only keeps it there while no GL
  // table is bound.
  template <typename ImageType>
  void take(std::unique_ptr<ImageType>& slot, std::unique_ptr<ImageType> image, Kept layout, bool keep = false);
  // As upload, or keeping the picture for uploadKept.
  void receive(std::unique_ptr<Image32> image, bool keep);
  void receive(std::unique_ptr<Image24> image, bool keep);
  void receive(std::unique_ptr<Image8> image, bool keep);
  template <typename ImageType>
  void exchangeImage(persistent_store& store, bool writing, std::unique_ptr<ImageType>& slot);
  template <typename ImageType>
  void uploadColour(std::unique_ptr<ImageType>& slot, std::unique_ptr<ImageType> image);
  void uploadGrey(std::unique_ptr<Image8> image);
  void uploadNormalMap(const Image8& heights);
  void notePictureSize(const Image& picture);
  void uploadLevels(GLenum internalFormat, const Image& picture, GLenum pixelFormat);
  void sendParameters();
  void renewGLName();
  void bindForSetUp() const;
  void deleteGLName();
  bool compressing() const;

  Kept kept_ = Kept::None;
};

// Logs what the textures cost, one line each, then the totals.
void reportTextureMemory(std::span<const std::unique_ptr<TextureImage>> textures);
