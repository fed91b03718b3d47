#include "text/text_panel.h"

#include <algorithm>
#include <cmath>

namespace text {
namespace {

// Letters over the panel: white, as opaque as their coverage.
void paintInk(Panel& panel, const InkMask& ink, int penX, int baseline) {
  for (int y = 0; y < ink.height; ++y) {
    const int row = baseline + ink.top + y;
    if (row < 0 || row >= panel.height) continue;
    for (int x = 0; x < ink.width; ++x) {
      const int column = penX + ink.left + x;
      if (column < 0 || column >= panel.width) continue;
      const int coverage = ink.at(x, y);
      std::uint8_t* pixel = &panel.rgba[(static_cast<std::size_t>(panel.height - 1 - row) * panel.width + column) * 4];
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>(pixel[c] + (255 - pixel[c]) * coverage / 255);
      pixel[3] = static_cast<std::uint8_t>(pixel[3] + (255 - pixel[3]) * coverage / 255);
    }
  }
}

}  // namespace

Panel composePanel(const FontFace& font, const std::vector<std::string>& lines, int pixelHeight) {
  if (lines.empty()) return {};
  std::vector<InkMask> inks;
  int widest = 0;
  for (const std::string& line : lines) {
    inks.push_back(font.render(line, pixelHeight));
    widest = std::max(widest, inks.back().left + inks.back().width);
  }
  const int lineStep = static_cast<int>(std::lround(pixelHeight * 1.3));
  Panel panel;
  panel.width = widest + 2 * kPanelPadding;
  panel.height = lineStep * static_cast<int>(lines.size()) + 2 * kPanelPadding;
  panel.rgba.resize(static_cast<std::size_t>(panel.width) * panel.height * 4);
  for (std::size_t i = 3; i < panel.rgba.size(); i += 4) panel.rgba[i] = kPanelAlpha;
  for (std::size_t i = 0; i < inks.size(); ++i)
    paintInk(panel, inks[i], kPanelPadding, kPanelPadding + pixelHeight + lineStep * static_cast<int>(i));
  return panel;
}

}  // namespace text
