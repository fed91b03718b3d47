#include "render/frame_layout.h"

#include <algorithm>
#include <cstdint>

namespace kst {

PixelRect FitPicture(int width, int height) {
  if (width <= 0 || height <= 0) return {};
  // Compared in 64 bits: sides of a few thousand pixels, multiplied.
  const std::int64_t w = width, h = height;
  PixelRect picture{0, 0, width, height};
  if (w * kLayoutHeight > h * kLayoutWidth)  // wider than 4:3: bars at the sides
    picture.width = static_cast<int>(std::min<std::int64_t>(w, (h * kLayoutWidth * 2 + kLayoutHeight) / (2 * kLayoutHeight)));
  else
    picture.height = static_cast<int>(std::min<std::int64_t>(h, (w * kLayoutHeight * 2 + kLayoutWidth) / (2 * kLayoutWidth)));
  picture.x = (width - picture.width) / 2;
  picture.y = (height - picture.height) / 2;
  return picture;
}

}  // namespace kst
