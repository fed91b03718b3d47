#include "scene/image.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageTest, BufferSizeFollowsTheLayout) {
  Image32 rgba;
  Image24 rgb;
  Image8 grey;
  for (Image* image : {static_cast<Image*>(&rgba), static_cast<Image*>(&rgb), static_cast<Image*>(&grey)}) {
    EXPECT_EQ(image->byteSize(), 0u);
    EXPECT_EQ(image->pixels, nullptr);
    image->setSize(5, 3);
    ASSERT_NE(image->pixels, nullptr);
  }
  EXPECT_EQ(rgba.byteSize(), 60u);
  EXPECT_EQ(rgb.byteSize(), 45u);
  EXPECT_EQ(grey.byteSize(), 15u);
  EXPECT_EQ(rgba.bgrOrder, 0);
  rgb.width = -4;  // a damaged size counts as empty
  EXPECT_EQ(rgb.byteSize(), 0u);
}

TEST(ImageTest, CopyTakesSizeOrderAndPixelsButNotTheName) {
  Image24 source;
  source.setSize(2, 1);
  for (int i = 0; i < 6; ++i) source.pixels[i] = static_cast<std::uint8_t>(i + 1);
  source.bgrOrder = 1;
  source.name = "demo\\a.jpg";
  Image24 target;
  target.name = "kept";
  target.copyFrom(source);
  EXPECT_EQ(target.width, 2);
  EXPECT_EQ(target.height, 1);
  EXPECT_EQ(target.bgrOrder, 1);
  EXPECT_EQ(target.name, "kept");
  EXPECT_EQ(target.pixels[5], 6);
  EXPECT_NE(target.pixels.get(), source.pixels.get());
  source.dropPixels();  // a picture whose pixels went to a texture
  target.copyFrom(source);
  EXPECT_EQ(target.pixels, nullptr);
  EXPECT_EQ(target.width, 2);
}

}  // namespace
