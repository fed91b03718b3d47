#include "scene/image.h"

#include <algorithm>

std::size_t Image::pixelCount() const {
  if (width <= 0 || height <= 0) return 0;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

void Image::setSize(std::int32_t newWidth, std::int32_t newHeight) {
  width = newWidth;
  height = newHeight;
  pixels = std::make_unique<std::uint8_t[]>(byteSize());
}

void Image::copyPixelsFrom(const Image& other) {
  setSize(other.width, other.height);
  if (other.pixels != nullptr)
    std::copy_n(other.pixels.get(), byteSize(), pixels.get());
  else
    pixels.reset();
}
