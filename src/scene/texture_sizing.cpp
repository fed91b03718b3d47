#include "scene/texture_sizing.h"

#include <algorithm>
#include <bit>

int FloorLog2(int size) {
  if (size < 1) return 0;
  return std::bit_width(static_cast<unsigned>(size)) - 1;
}

int TextureSide(int size, int maxSize) {
  if (size < 1) return size;
  // The largest power of two not above the side, limited to half the
  // driver's maximum so that doubling it below stays within the maximum.
  const int below = std::max(1, std::min(1 << FloorLog2(size), maxSize / 2));
  return size == below ? below : 2 * below;
}
