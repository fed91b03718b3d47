// The show's 4:3 picture inside drawables of any shape: worked out by hand
// (width = height * 4 / 3 or height = width * 3 / 4, rounded; bars halved).
#include "render/frame_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(FitPicture, LargestCentredFourByThreeRectangle) {
  struct Case {
    int width, height;
    kst::PixelRect picture;
  };
  const Case cases[] = {
      {800, 600, {0, 0, 800, 600}},           // the layout itself: no bars
      {1600, 1200, {0, 0, 1600, 1200}},
      {1920, 1080, {240, 0, 1440, 1080}},     // pillarbox: 240 on each side
      {3840, 2160, {480, 0, 2880, 2160}},
      {1280, 720, {160, 0, 960, 720}},
      {1000, 1000, {0, 125, 1000, 750}},      // letterbox: 125 above and below
      {801, 600, {0, 0, 800, 600}},           // one pixel over: the bar on the right
      {1001, 751, {0, 0, 1001, 751}},         // 751 * 4 / 3 = 1001.3: fills it
      {10, 10, {0, 1, 10, 8}},                // 7.5 rounds to 8
      {0, 600, {0, 0, 0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(kst::FitPicture(c.width, c.height), c.picture) << c.width << "x" << c.height;
}

}  // namespace
