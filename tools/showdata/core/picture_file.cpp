#include "core/picture_file.h"

#include <FreeImage.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "core/random.h"

namespace showdata {
namespace {

struct BitmapRelease {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapRelease>;

struct MemoryRelease {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};
using Memory = std::unique_ptr<FIMEMORY, MemoryRelease>;

std::uint8_t toByte(float value, float dither) {
  return static_cast<std::uint8_t>(std::lround(std::fmin(std::fmax(value * 255.0f + dither, 0.0f), 255.0f)));
}

// FreeImage keeps rows bottom-up and colour bytes in its own order.
Bitmap toBitmap(const Raster& picture, bool dither, std::uint64_t seed) {
  Bitmap bitmap(FreeImage_Allocate(picture.width, picture.height, picture.channels == 1 ? 8 : 24));
  if (!bitmap) throw std::runtime_error("FreeImage could not allocate a picture");
  if (picture.channels == 1) {
    RGBQUAD* palette = FreeImage_GetPalette(bitmap.get());
    for (int i = 0; i < 256; ++i)
      palette[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
  }
  Random noise(seed);
  for (int y = 0; y < picture.height; ++y) {
    BYTE* line = FreeImage_GetScanLine(bitmap.get(), picture.height - 1 - y);
    for (int x = 0; x < picture.width; ++x) {
      const float* p = picture.at(x, y);
      if (picture.channels == 1) {
        line[x] = toByte(p[0], 0.0f);
        continue;
      }
      const float d = dither ? noise.unit() - 0.5f : 0.0f;
      line[x * 3 + FI_RGBA_RED] = toByte(p[0], d);
      line[x * 3 + FI_RGBA_GREEN] = toByte(p[1], d);
      line[x * 3 + FI_RGBA_BLUE] = toByte(p[2], d);
    }
  }
  return bitmap;
}

}  // namespace

std::vector<std::uint8_t> encodePicture(const Raster& picture, PictureFormat format, std::uint64_t ditherSeed) {
  FreeImage_Initialise(FALSE);
  const bool jpeg = format == PictureFormat::Jpeg;
  const Bitmap bitmap = toBitmap(picture, jpeg && picture.channels == 3, ditherSeed);
  const Memory memory(FreeImage_OpenMemory());
  const int flags = jpeg ? 95 | JPEG_SUBSAMPLING_444 | JPEG_OPTIMIZE | JPEG_BASELINE : PNG_Z_BEST_COMPRESSION;
  if (!FreeImage_SaveToMemory(jpeg ? FIF_JPEG : FIF_PNG, bitmap.get(), memory.get(), flags))
    throw std::runtime_error("FreeImage could not encode a picture");
  BYTE* data = nullptr;
  DWORD size = 0;
  FreeImage_AcquireMemory(memory.get(), &data, &size);
  return std::vector<std::uint8_t>(data, data + size);
}

Raster decodePicture(const std::vector<std::uint8_t>& bytes, const std::string& name) {
  FreeImage_Initialise(FALSE);
  const Memory memory(FreeImage_OpenMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())));
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory.get(), 0);
  Bitmap loaded(format == FIF_UNKNOWN ? nullptr : FreeImage_LoadFromMemory(format, memory.get(), 0));
  if (!loaded) throw std::runtime_error(name + ": FreeImage cannot read it");
  const bool grey = FreeImage_GetBPP(loaded.get()) == 8;
  Bitmap bitmap(grey ? FreeImage_Clone(loaded.get()) : FreeImage_ConvertTo24Bits(loaded.get()));
  const int width = static_cast<int>(FreeImage_GetWidth(bitmap.get()));
  const int height = static_cast<int>(FreeImage_GetHeight(bitmap.get()));
  Raster picture(width, height, grey ? 1 : 3);
  for (int y = 0; y < height; ++y) {
    const BYTE* line = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
    for (int x = 0; x < width; ++x) {
      float* p = picture.at(x, y);
      if (grey) {
        p[0] = line[x] / 255.0f;
      } else {
        p[0] = line[x * 3 + FI_RGBA_RED] / 255.0f;
        p[1] = line[x * 3 + FI_RGBA_GREEN] / 255.0f;
        p[2] = line[x * 3 + FI_RGBA_BLUE] / 255.0f;
      }
    }
  }
  return picture;
}

}  // namespace showdata
