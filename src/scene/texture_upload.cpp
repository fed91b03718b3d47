// Building the GL texture from a picture.
#include <algorithm>
#include <type_traits>
#include <utility>

#include "render/gl_table.h"
#include "scene/normal_map.h"
#include "scene/texture_image.h"
#include "scene/texture_sizing.h"

namespace {

struct ColourFormats {
  GLenum plain;       // pixel and internal format
  GLenum compressed;  // internal format when compressing
  GLenum reversed;    // pixel format of blue-first bytes
  bool alpha;
};

template <typename ImageType>
constexpr ColourFormats kColourFormats = ImageType::kBytesPerPixel == 4
                                             ? ColourFormats{GL_RGBA, GL_COMPRESSED_RGBA_ARB, GL_BGRA_EXT, true}
                                             : ColourFormats{GL_RGB, GL_COMPRESSED_RGB_ARB, GL_BGR_EXT, false};

// Without GL_EXT_bgra the driver only takes red first. The bytes are then
// red first, and the picture says so, so that nothing swaps them twice.
template <typename ImageType>
void swapRedAndBlue(ImageType& picture) {
  if (picture.pixels != nullptr) {
    std::uint8_t* pixel = picture.pixels.get();
    for (std::size_t i = 0; i < picture.byteSize(); i += ImageType::kBytesPerPixel) std::swap(pixel[i], pixel[i + 2]);
  }
  picture.bgrOrder = 0;
}

void fitToPowerOfTwo(Image& picture, GLenum format) {
  GLint maxSize = 0;
  gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const int width = TextureSide(picture.width, maxSize);
  const int height = TextureSide(picture.height, maxSize);
  if (width == picture.width && height == picture.height) return;
  const auto oldWidth = picture.width;
  const auto oldHeight = picture.height;
  std::unique_ptr<std::uint8_t[]> source = std::move(picture.pixels);
  picture.setSize(width, height);
  if (source == nullptr) {
    picture.dropPixels();
    return;
  }
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gl.gluScaleImage(format, oldWidth, oldHeight, GL_UNSIGNED_BYTE, source.get(), width, height, GL_UNSIGNED_BYTE,
                   picture.pixels.get());
}

}  // namespace

void TextureImage::receive(std::unique_ptr<Image32> image, bool keep) {
  take(image32, std::move(image), Kept::Rgba, keep);
}
void TextureImage::receive(std::unique_ptr<Image24> image, bool keep) {
  take(image24, std::move(image), Kept::Rgb, keep);
}
void TextureImage::receive(std::unique_ptr<Image8> image, bool keep) { take(image8, std::move(image), Kept::Grey, keep); }

void TextureImage::upload(std::unique_ptr<Image32> image) { receive(std::move(image), false); }
void TextureImage::upload(std::unique_ptr<Image24> image) { receive(std::move(image), false); }
void TextureImage::upload(std::unique_ptr<Image8> image) { receive(std::move(image), false); }

void TextureImage::uploadKept() {
  if (gl.glGenTextures == nullptr) return;
  switch (std::exchange(kept_, Kept::None)) {
    case Kept::Rgba: upload(std::move(image32)); break;
    case Kept::Rgb: upload(std::move(image24)); break;
    case Kept::Grey: upload(std::move(image8)); break;
    case Kept::None: break;
  }
}

template <typename ImageType>
void TextureImage::take(std::unique_ptr<ImageType>& slot, std::unique_ptr<ImageType> image, Kept layout, bool keep) {
  kept_ = keep || gl.glGenTextures == nullptr ? layout : Kept::None;
  if (kept_ != Kept::None) {
    slot = image != nullptr ? std::move(image) : std::make_unique<ImageType>();
    notePictureSize(*slot);
  } else if constexpr (std::is_same_v<ImageType, Image8>) {
    uploadGrey(std::move(image));
  } else {
    uploadColour(slot, std::move(image));
  }
}

template <typename ImageType>
void TextureImage::uploadColour(std::unique_ptr<ImageType>& slot, std::unique_ptr<ImageType> image) {
  constexpr ColourFormats formats = kColourFormats<ImageType>;
  slot = image != nullptr ? std::move(image) : std::make_unique<ImageType>();
  ImageType& picture = *slot;
  notePictureSize(picture);
  hasAlpha = formats.alpha;
  renewGLName();
  const GLenum internalFormat = compressing() ? formats.compressed : formats.plain;
  GLenum pixelFormat = formats.plain;
  if (picture.bgrOrder == 1) {
    if (GLCapability(GLCap::EXT_bgra) != 0)
      pixelFormat = formats.reversed;
    else
      swapRedAndBlue(picture);
  }
  fitToPowerOfTwo(picture, formats.plain);
  uploadLevels(internalFormat, picture, pixelFormat);
  sendParameters();
  if (formats.alpha) uploadFormat = GL_RGBA;
  // A named picture can be read again from its file.
  if (!picture.name.empty()) picture.dropPixels();
}

void TextureImage::uploadGrey(std::unique_ptr<Image8> image) {
  renewGLName();
  image8 = image != nullptr ? std::move(image) : std::make_unique<Image8>();
  notePictureSize(*image8);
  hasAlpha = false;
  if ((flags & TEX_NORMAL_MAP) != 0) {
    uploadNormalMap(*image8);
  } else {
    const bool alphaOnly = (flags & TEX_ALPHA_ONLY) != 0;
    const GLenum format = alphaOnly ? GL_ALPHA : GL_LUMINANCE;
    hasAlpha = alphaOnly;
    const GLenum compressed = alphaOnly ? GL_COMPRESSED_ALPHA_ARB : GL_COMPRESSED_LUMINANCE_ARB;
    uploadLevels(compressing() ? compressed : format, *image8, format);
  }
  sendParameters();
  image8->dropPixels();
}

void TextureImage::notePictureSize(const Image& picture) {
  pictureWidth = picture.width;
  pictureHeight = picture.height;
}

void TextureImage::uploadLevels(GLenum internalFormat, const Image& picture, GLenum pixelFormat) {
  // Rows are not padded: rows of other than whole 4-byte groups would be
  // read past their ends under GL's default alignment.
  if ((picture.width * picture.bytesPerPixel()) % 4 != 0) gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const void* pixels = picture.pixels.get();
  if ((flags & TEX_NO_MIPMAPS) != 0) {
    gl.glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), picture.width, picture.height, 0,
                    pixelFormat, GL_UNSIGNED_BYTE, pixels);
    minFilter = GL_LINEAR;
  } else if (pixels != nullptr) {
    // GLU builds the levels even where the driver offers to generate them:
    // a texture is then the same whether its scene was read before the show
    // or by a loader during it, and the driver's generation in a loader's
    // context held the textures both contexts share while the frames waited
    // (a frame of about 115 ms against 40 ms during a load; reading before
    // the show takes as long either way).
    gl.gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(internalFormat), picture.width, picture.height,
                         pixelFormat, GL_UNSIGNED_BYTE, pixels);
  }
}

void TextureImage::uploadNormalMap(const Image8& heights) {
  magFilter = GL_LINEAR;
  minFilter = GL_NEAREST_MIPMAP_NEAREST;
  if (heights.width < 1 || heights.height < 1 || heights.pixels == nullptr) return;
  NormalMapLevel level = BuildNormalMap(heights);
  for (GLint index = 0;; ++index) {
    gl.glTexImage2D(GL_TEXTURE_2D, index, GL_RGBA8, level.width, level.height, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                    level.texels.data());
    if (level.width == 1 && level.height == 1) break;
    level = HalveNormalMap(level);
  }
}
