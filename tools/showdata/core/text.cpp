#include "core/text.h"

namespace showdata {

Raster Font::render(const std::string& text, int pixelHeight, int tracking) const {
  const text::InkMask ink = face_.render(text, pixelHeight, tracking);
  Raster mask(ink.width, ink.height, 1);
  for (std::size_t i = 0; i < ink.coverage.size(); ++i) mask.values[i] = ink.coverage[i] / 255.0f;
  return mask;
}

}  // namespace showdata
