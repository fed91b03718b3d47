#pragma once
// Lines of text on a dark, half-transparent panel, for a corner of the
// frame: the viewers' notes on what they show. Knows nothing of GL.
#include <cstdint>
#include <string>
#include <vector>

#include "text/font_face.h"

namespace text {

// RGBA bytes, not premultiplied, rows bottom to top as GL takes them.
struct Panel {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* at(int x, int rowFromTop) const {
    return &rgba[(static_cast<std::size_t>(height - 1 - rowFromTop) * width + x) * 4];
  }
};

inline constexpr int kPanelPadding = 6;
inline constexpr std::uint8_t kPanelAlpha = 160;  // the panel behind the letters

// One line every 1.3 `pixelHeight`, the first baseline `pixelHeight` below
// the padding, white letters; as wide as the widest line. No lines: an
// empty panel (0 x 0).
Panel composePanel(const FontFace& font, const std::vector<std::string>& lines, int pixelHeight);

}  // namespace text
