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

// The largest difference (0 to 1) between the means of the same 8 x 8
// block of layout pixels: detail finer than a block averages out, while a
// line of text, a shape or a star out of place or size does not.
double largestBlockDifference(const Raster& small, const Raster& large) {
  constexpr int kBlock = 8;
  double largest = 0.0;
  for (int top = 0; top + kBlock <= small.height; top += kBlock)
    for (int left = 0; left + kBlock <= small.width; left += kBlock)
      for (int c = 0; c < small.channels; ++c) {
        double difference = 0.0;
        for (int y = top; y < top + kBlock; ++y)
          for (int x = left; x < left + kBlock; ++x) {
            difference += small.at(x, y)[c];
            for (int dy = 0; dy < 2; ++dy)
              for (int dx = 0; dx < 2; ++dx) difference -= large.at(2 * x + dx, 2 * y + dy)[c] / 4.0;
          }
        largest = std::max(largest, std::fabs(difference) / (kBlock * kBlock));
      }
  return largest;
}

TEST(PicturesAtScaleTwo, AreTwiceAsLargeAndLaidOutAsAtScaleOne) {
  const showdata::Fonts fonts;
  const showdata::BackdropSize layout, twice{800, 600, 2};
  struct Case {
    std::string name;
    std::function<Raster(int scale)> make;
  };
  const Case cases[] = {
      {"loading screen", [&](int s) { return showdata::loadingScreen(fonts, s == 1 ? layout : twice); }},
      {"title", [&](int s) { return showdata::titleDawn(fonts, {.size = s == 1 ? layout : twice}); }},
      {"night sky", [&](int s) { return showdata::nightSky({.size = s == 1 ? layout : twice}); }},
      {"frontdrop", [&](int s) { return showdata::frontdropFrame({.size = s == 1 ? layout : twice}); }},
      {"final logo", [&](int s) { return showdata::finalLogo(fonts, {.size = s == 1 ? layout : twice}); }},
      {"greetings", [&](int s) { return showdata::greetings(fonts, {.scale = s}); }},
      {"skyline", [&](int s) { return showdata::citySkyline({.scale = s}); }},
      {"kite flyer", [&](int s) { return showdata::kiteFlyer({.scale = s}).colour; }},
      {"beads", [&](int s) { return showdata::filamentBeads({.scale = s}); }},
      {"dashes", [&](int s) { return showdata::filamentDashes({.scale = s}); }},
      {"waves", [&](int s) { return showdata::filamentWaves({.scale = s}); }},
      {"floor tiles", [&](int s) { return showdata::zelligeTiles(101, s); }},
  };
  for (const Case& c : cases) {
    const Raster small = c.make(1), large = c.make(2);
    ASSERT_EQ(large.width, 2 * small.width) << c.name;
    ASSERT_EQ(large.height, 2 * small.height) << c.name;
    EXPECT_LT(largestBlockDifference(small, large), 0.08) << c.name;
  }
}

}  // namespace
