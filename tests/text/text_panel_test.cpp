// The overlay's panel: letters where the layout puts them (rows bottom to
// top in memory, as GL takes them), the half-transparent panel elsewhere.
#include <gtest/gtest.h>

#include "text/text_panel.h"

namespace {

TEST(TextPanel, PutsTheSecondLineOnItsBaselineOverTheDarkPanel) {
  const text::FontFace font("DejaVuSansMono.ttf");
  const int size = 20;
  const text::InkMask x = font.render("X", size);
  const text::Panel panel = text::composePanel(font, {"", "X"}, size);

  // Two lines of 26 pixels (1.3 x 20) and 6 pixels of padding all round.
  ASSERT_EQ(panel.height, 2 * 26 + 2 * 6);
  ASSERT_EQ(panel.width, x.left + x.width + 2 * 6);
  // The second baseline: 6 + 20 + 26 pixels from the top; in memory, row
  // r from the top is row height - 1 - r from the start.
  const int baseline = 6 + 20 + 26;
  int topInk = panel.height, bottomInk = -1;
  for (int memoryRow = 0; memoryRow < panel.height; ++memoryRow) {
    for (int column = 0; column < panel.width; ++column) {
      const std::uint8_t* pixel = &panel.rgba[(static_cast<std::size_t>(memoryRow) * panel.width + column) * 4];
      const int fromTop = panel.height - 1 - memoryRow;
      if (pixel[0] == 0) {
        EXPECT_EQ(pixel[3], text::kPanelAlpha) << column << "," << fromTop;
        continue;
      }
      EXPECT_EQ(pixel[0], pixel[2]);  // white: grey levels only
      EXPECT_GE(pixel[3], text::kPanelAlpha);
      topInk = std::min(topInk, fromTop);
      bottomInk = std::max(bottomInk, fromTop);
    }
  }
  EXPECT_EQ(topInk, baseline + x.top);
  EXPECT_EQ(bottomInk, baseline + x.top + x.height - 1);
}

}  // namespace
