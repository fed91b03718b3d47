#include "scene/image_decoding.h"

#include <FreeImage.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/data_files.h"
#include "scene/memory_reader.h"

namespace {

struct BitmapUnloader {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapUnloader>;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The decoder keeps a plain counter of initialisations; the loader threads
// may detect formats at the same time as the main thread.
void initialiseDecoder() {
  static std::mutex lock;
  std::lock_guard<std::mutex> hold(lock);
  FreeImage_Initialise(FALSE);
}

template <typename ImageType>
FIBITMAP* convert(FIBITMAP* bitmap) {
  if constexpr (ImageType::kBytesPerPixel == 4) return FreeImage_ConvertTo32Bits(bitmap);
  if constexpr (ImageType::kBytesPerPixel == 3) return FreeImage_ConvertTo24Bits(bitmap);
  if constexpr (ImageType::kBytesPerPixel == 1) return FreeImage_ConvertTo8Bits(bitmap);
}

template <typename ImageType>
void markDecoderOrder(ImageType& image) {
  if constexpr (ImageType::kBytesPerPixel != 1) image.bgrOrder = 1;
}

// Steps shared by file and memory sources: bring the bitmap to the target's
// depth, then copy its bottom-up scan lines as top-down rows.
template <typename ImageType>
bool takeBitmap(ImageType& target, Bitmap bitmap, const std::string& name) {
  if (bitmap == nullptr) return false;
  if (FreeImage_GetBPP(bitmap.get()) != 8u * ImageType::kBytesPerPixel) {
    bitmap = Bitmap(convert<ImageType>(bitmap.get()));
    if (bitmap == nullptr) return false;
  }
  ImageType decoded;
  decoded.setSize(static_cast<std::int32_t>(FreeImage_GetWidth(bitmap.get())),
                  static_cast<std::int32_t>(FreeImage_GetHeight(bitmap.get())));
  markDecoderOrder(decoded);
  const std::size_t rowBytes = static_cast<std::size_t>(decoded.width) * ImageType::kBytesPerPixel;
  for (std::int32_t row = 0; row < decoded.height; ++row)
    std::memcpy(decoded.pixels.get() + rowBytes * row,
                FreeImage_GetScanLine(bitmap.get(), decoded.height - 1 - row), rowBytes);
  target.copyFrom(decoded);
  target.name = name;
  return true;
}

// The decoder makes room for the whole picture its header declares before
// it reads a pixel, so a damaged header could ask for gigabytes. Where the
// format can be read header first, a picture past these sizes (far beyond
// any texture a driver takes, or the show uses) is refused unread.
constexpr unsigned kLargestSide = 16384;
constexpr std::uint64_t kMostPixels = std::uint64_t{1} << 24;

template <typename ReadHeader>
bool declaredSizeFits(FREE_IMAGE_FORMAT format, ReadHeader readHeader) {
  if (!FreeImage_FIFSupportsNoPixels(format)) return true;
  const Bitmap header(readHeader(FIF_LOAD_NOPIXELS));
  if (header == nullptr) return false;
  const unsigned width = FreeImage_GetWidth(header.get());
  const unsigned height = FreeImage_GetHeight(header.get());
  return width <= kLargestSide && height <= kLargestSide && std::uint64_t{width} * height <= kMostPixels;
}

template <typename ImageType>
bool loadFile(ImageType& target, const std::string& path) {
  // The open only proves that the file is there.
  if (std::unique_ptr<std::FILE, FileCloser>(platform::openDataFile(path, "rb")) == nullptr) return false;
  const std::string systemPath = platform::dataFilePath(path);
  initialiseDecoder();
  const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(systemPath.c_str());
  const auto read = [&](int flags) { return FreeImage_Load(format, systemPath.c_str(), flags); };
  return declaredSizeFits(format, read) && takeBitmap(target, Bitmap(read(0)), path);
}

unsigned DLL_CALLCONV readMemory(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  return static_cast<MemoryReader*>(handle)->read(buffer, size, count);
}
unsigned DLL_CALLCONV writeMemory(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  return static_cast<MemoryReader*>(handle)->write(buffer, size, count);
}
int DLL_CALLCONV seekMemory(fi_handle handle, long offset, int origin) {
  return static_cast<MemoryReader*>(handle)->seek(offset, origin);
}
long DLL_CALLCONV tellMemory(fi_handle handle) { return static_cast<MemoryReader*>(handle)->tell(); }

template <typename ImageType>
bool loadMemory(ImageType& target, std::span<const std::uint8_t> file, const std::string& fileName) {
  MemoryReader reader(file);
  FreeImageIO io{readMemory, writeMemory, seekMemory, tellMemory};
  initialiseDecoder();
  FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromHandle(&io, &reader, 32);
  if (format == FIF_UNKNOWN && !fileName.empty()) {
    initialiseDecoder();
    format = FreeImage_GetFIFFromFilename(fileName.c_str());
  }
  if (format == FIF_UNKNOWN) return false;
  const auto read = [&](int flags) {
    reader.seek(0, SEEK_SET);
    return FreeImage_LoadFromHandle(format, &io, &reader, flags);
  };
  return declaredSizeFits(format, read) && takeBitmap(target, Bitmap(read(0)), fileName);
}

}  // namespace

bool LoadImage(Image32& target, const std::string& path) { return loadFile(target, path); }
bool LoadImage(Image24& target, const std::string& path) { return loadFile(target, path); }
bool LoadImage(Image8& target, const std::string& path) { return loadFile(target, path); }

bool LoadImageFromMemory(Image32& target, std::span<const std::uint8_t> file, const std::string& fileName) {
  return loadMemory(target, file, fileName);
}
bool LoadImageFromMemory(Image24& target, std::span<const std::uint8_t> file, const std::string& fileName) {
  return loadMemory(target, file, fileName);
}
bool LoadImageFromMemory(Image8& target, std::span<const std::uint8_t> file, const std::string& fileName) {
  return loadMemory(target, file, fileName);
}
