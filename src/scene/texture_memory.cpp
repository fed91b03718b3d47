// What textures cost: counted from the sizes the driver reports.
#include <algorithm>

#include "render/gl_table.h"
#include "scene/texture_image.h"
#include "scene/texture_sizing.h"
#include "base/log.h"

namespace {

GLint levelParameter(GLint level, GLenum parameter) {
  GLint value = 0;
  gl.glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
  return value;
}

std::size_t bytesPerTexel(GLint level) {
  GLint bits = 0;
  for (GLenum component : {GL_TEXTURE_RED_SIZE, GL_TEXTURE_GREEN_SIZE, GL_TEXTURE_BLUE_SIZE, GL_TEXTURE_ALPHA_SIZE,
                           GL_TEXTURE_LUMINANCE_SIZE})
    bits += levelParameter(level, component);
  return static_cast<std::size_t>((bits + 7) / 8);
}

}  // namespace

TextureImage::MemoryUsage TextureImage::memoryUsage() const {
  // The picture of the last upload; an 8-bit one wins.
  const Image* picture = image8 != nullptr   ? static_cast<const Image*>(image8.get())
                         : image24 != nullptr ? static_cast<const Image*>(image24.get())
                                              : static_cast<const Image*>(image32.get());
  if (picture == nullptr) return {};
  const int levels = (flags & TEX_NO_MIPMAPS) != 0 ? 1 : std::max(FloorLog2(picture->width), FloorLog2(picture->height));
  if (levels > 0) bindForSetUp();  // the sizes asked for are those of the bound texture
  MemoryUsage usage;
  for (int level = 0; level < levels; ++level) {
    if (compressing()) usage.resident += static_cast<std::size_t>(levelParameter(level, GL_TEXTURE_COMPRESSED_IMAGE_SIZE_ARB));
    const std::size_t texels = static_cast<std::size_t>(std::max(picture->width >> level, 1)) *
                               static_cast<std::size_t>(std::max(picture->height >> level, 1));
    usage.raw += texels * bytesPerTexel(level);
  }
  if (usage.resident == 0) usage.resident = usage.raw;
  return usage;
}

void reportTextureMemory(std::span<const std::unique_ptr<TextureImage>> textures) {
  kst::log("*** RAM used for textures : ");
  kst::logIndent();
  std::size_t raw = 0;
  std::size_t resident = 0;
  for (const std::unique_ptr<TextureImage>& texture : textures) {
    if (texture == nullptr) continue;
    const TextureImage::MemoryUsage usage = texture->memoryUsage();
    kst::log("%s : (%dKb => %dKb)", texture->name.c_str(), static_cast<int>(usage.raw >> 10),
             static_cast<int>(usage.resident >> 10));
    raw += usage.raw;
    resident += usage.resident;
  }
  constexpr double kMegabyte = 1048576.0;
  // Nothing counted is nothing compressed.
  const double ratio = raw != 0 ? static_cast<double>(resident) / static_cast<double>(raw) * 100.0 : 100.0;
  kst::log("total RAM used : %.1fMb (raw size : %.1fMb, compression ratio : %.1f%%)", resident / kMegabyte,
           raw / kMegabyte, ratio);
  kst::logOutdent();
}
