#include "jpeg_size.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace picturesheet {
namespace {

std::vector<BYTE> encode(FIBITMAP* picture, int quality) {
  std::unique_ptr<FIMEMORY, decltype(&FreeImage_CloseMemory)> memory(FreeImage_OpenMemory(), &FreeImage_CloseMemory);
  // The flags are the quality itself, with optimised Huffman tables and no
  // markers beyond the picture.
  if (!memory || !FreeImage_SaveToMemory(FIF_JPEG, picture, memory.get(), quality | JPEG_OPTIMIZE | JPEG_BASELINE)) return {};
  BYTE* data = nullptr;
  DWORD size = 0;
  FreeImage_AcquireMemory(memory.get(), &data, &size);
  return {data, data + size};
}

}  // namespace

int saveJpegNear(FIBITMAP* picture, const std::string& file, int kilobytes) {
  const long target = kilobytes * 1024L;
  std::vector<BYTE> best;
  int bestQuality = 0;
  // Size grows with quality: bisect towards the target, keeping the
  // nearest file met on the way.
  int low = 1, high = 100;
  while (low <= high) {
    const int quality = (low + high) / 2;
    std::vector<BYTE> bytes = encode(picture, quality);
    if (bytes.empty()) throw std::runtime_error(file + ": the picture cannot be encoded as JPEG");
    const long size = static_cast<long>(bytes.size());
    if (best.empty() || std::labs(size - target) < std::labs(static_cast<long>(best.size()) - target)) {
      best = std::move(bytes);
      bestQuality = quality;
    }
    if (size > target)
      high = quality - 1;
    else
      low = quality + 1;
  }
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(best.data()), static_cast<std::streamsize>(best.size()));
  if (!out) throw std::runtime_error(file + ": cannot be written");
  return bestQuality;
}

}  // namespace picturesheet
