// A data set drawn at scale 2: every picture twice as large on each side,
// and, averaged back over each 2 x 2 square, the picture of scale 1, with
// its lettering, shapes and stars at the same places and sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "core/text.h"
#include "pictures/pictures.h"
#include "textures/textures.h"

namespace {

using showdata::Raster;

// The largest difference (0 to 1) between the means of the same square
// block of layout pixels: detail finer than a block averages out, while a
// line of text, a shape or a star out of place or size does not.
double largestBlockDifference(const Raster& small, const Raster& large, int block) {
  double largest = 0.0;
  for (int top = 0; top + block <= small.height; top += block)
    for (int left = 0; left + block <= small.width; left += block)
      for (int c = 0; c < small.channels; ++c) {
        double difference = 0.0;
        for (int y = top; y < top + block; ++y)
          for (int x = left; x < left + block; ++x) {
            difference += small.at(x, y)[c];
            for (int dy = 0; dy < 2; ++dy)
              for (int dx = 0; dx < 2; ++dx) difference -= large.at(2 * x + dx, 2 * y + dy)[c] / 4.0;
          }
        largest = std::max(largest, std::fabs(difference) / (block * block));
      }
  return largest;
}

TEST(PicturesAtScaleTwo, AreTwiceAsLargeAndLaidOutAsAtScaleOne) {
  const showdata::Fonts fonts;
  const showdata::BackdropSize layout, twice{800, 600, 2};
  // Lettering is compared over blocks of 32 layout pixels, shapes over 8:
  // the face's hinting moves a glyph by a pixel or so between two sizes.
  constexpr int kLetters = 32, kShapes = 8;
  struct Case {
    std::string name;
    int block;
    std::function<Raster(int scale)> make;
  };
  const Case cases[] = {
      {"loading screen", kLetters, [&](int s) { return showdata::loadingScreen(fonts, s == 1 ? layout : twice); }},
      {"title", kLetters, [&](int s) { return showdata::titleDawn(fonts, {.size = s == 1 ? layout : twice}); }},
      {"night sky", kShapes, [&](int s) { return showdata::nightSky({.size = s == 1 ? layout : twice}); }},
      {"frontdrop", kShapes, [&](int s) { return showdata::frontdropFrame({.size = s == 1 ? layout : twice}); }},
      {"final logo", kLetters, [&](int s) { return showdata::finalLogo(fonts, {.size = s == 1 ? layout : twice}); }},
      {"greetings", kLetters, [&](int s) { return showdata::greetings(fonts, {.scale = s}); }},
      {"skyline", kShapes, [&](int s) { return showdata::citySkyline({.scale = s}); }},
      {"kite flyer", kShapes, [&](int s) { return showdata::kiteFlyer({.scale = s}).colour; }},
      {"beads", kShapes, [&](int s) { return showdata::filamentBeads({.scale = s}); }},
      {"dashes", kShapes, [&](int s) { return showdata::filamentDashes({.scale = s}); }},
      {"waves", kShapes, [&](int s) { return showdata::filamentWaves({.scale = s}); }},
      {"floor tiles", kShapes, [&](int s) { return showdata::zelligeTiles(101, s); }},
  };
  for (const Case& c : cases) {
    const Raster small = c.make(1), large = c.make(2);
    ASSERT_EQ(large.width, 2 * small.width) << c.name;
    ASSERT_EQ(large.height, 2 * small.height) << c.name;
    EXPECT_LT(largestBlockDifference(small, large, c.block), 0.08) << c.name;
  }
}

}  // namespace
