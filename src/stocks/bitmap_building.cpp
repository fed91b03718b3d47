#include "stocks/bitmap_building.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kst {

int PaddedSide(int side) {
  if (side <= 1) return 1;
  return static_cast<int>(std::bit_ceil(static_cast<unsigned>(side)));
}

std::unique_ptr<Image24> PadToPowerOfTwo(const Image24& picture) {
  auto padded = std::make_unique<Image24>();
  padded->bgrOrder = picture.bgrOrder;
  padded->setSize(PaddedSide(picture.width), PaddedSide(picture.height));  // zeroed: black
  if (picture.pixels == nullptr) return padded;
  const std::size_t rowBytes = static_cast<std::size_t>(std::max(picture.width, 0)) * 3;
  const std::size_t paddedRowBytes = static_cast<std::size_t>(padded->width) * 3;
  for (std::int32_t row = 0; row < picture.height; ++row)
    std::memcpy(padded->pixels.get() + paddedRowBytes * row, picture.pixels.get() + rowBytes * row, rowBytes);
  return padded;
}

std::unique_ptr<Image32> MergeAlpha(const Image24& colour, const Image8& alpha) {
  if (colour.width != alpha.width || colour.height != alpha.height) return nullptr;
  auto merged = std::make_unique<Image32>();
  merged->bgrOrder = colour.bgrOrder;
  merged->setSize(colour.width, colour.height);
  if (colour.pixels == nullptr || alpha.pixels == nullptr) return merged;
  const std::size_t count = alpha.byteSize();
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(merged->pixels.get() + i * 4, colour.pixels.get() + i * 3, 3);
    merged->pixels[i * 4 + 3] = alpha.pixels[i];
  }
  return merged;
}

}  // namespace kst
