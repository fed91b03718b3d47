// Padding full-screen pictures and joining colour with alpha.
#include <gtest/gtest.h>

#include "stocks/bitmap_building.h"

namespace {

// Pixel bytes 1, 2, 3 ... so that no byte of the picture is black.
void number(Image& image, int width, int height) {
  image.setSize(width, height);
  for (std::size_t i = 0; i < image.byteSize(); ++i) image.pixels[i] = static_cast<std::uint8_t>(1 + i % 251);
}

TEST(BitmapBuilding, PaddedSidesAreTheNextPowersOfTwo) {
  EXPECT_EQ(kst::PaddedSide(1), 1);
  EXPECT_EQ(kst::PaddedSide(2), 2);
  EXPECT_EQ(kst::PaddedSide(3), 4);
  EXPECT_EQ(kst::PaddedSide(480), 512);
  EXPECT_EQ(kst::PaddedSide(512), 512);
  EXPECT_EQ(kst::PaddedSide(513), 1024);
  EXPECT_EQ(kst::PaddedSide(640), 1024);
  EXPECT_EQ(kst::PaddedSide(0), 1);
}

TEST(BitmapBuilding, PaddingPutsThePictureTopLeftOnBlack) {
  Image24 picture;
  number(picture, 5, 3);
  picture.bgrOrder = 1;
  const auto padded = kst::PadToPowerOfTwo(picture);
  ASSERT_EQ(padded->width, 8);
  ASSERT_EQ(padded->height, 4);
  EXPECT_EQ(padded->bgrOrder, 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x)
      for (int c = 0; c < 3; ++c) {
        const int want = (x < 5 && y < 3) ? picture.pixels[(y * 5 + x) * 3 + c] : 0;
        ASSERT_EQ(padded->pixels[(y * 8 + x) * 3 + c], want) << x << "," << y;
      }
}

TEST(BitmapBuilding, PowerOfTwoPicturesKeepTheirSize) {
  Image24 picture;
  number(picture, 512, 512);
  const auto padded = kst::PadToPowerOfTwo(picture);
  ASSERT_EQ(padded->width, 512);
  ASSERT_EQ(padded->height, 512);
  EXPECT_TRUE(std::equal(padded->pixels.get(), padded->pixels.get() + padded->byteSize(), picture.pixels.get()));
}

TEST(BitmapBuilding, MergedPixelsAreColourBytesThenAlpha) {
  Image24 colour;
  number(colour, 3, 2);
  colour.bgrOrder = 1;
  Image8 alpha;
  alpha.setSize(3, 2);
  for (int i = 0; i < 6; ++i) alpha.pixels[i] = static_cast<std::uint8_t>(200 + i);
  const auto merged = kst::MergeAlpha(colour, alpha);
  ASSERT_NE(merged, nullptr);
  EXPECT_EQ(merged->width, 3);
  EXPECT_EQ(merged->height, 2);
  EXPECT_EQ(merged->bgrOrder, 1);
  for (int i = 0; i < 6; ++i) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(merged->pixels[i * 4 + c], colour.pixels[i * 3 + c]);
    EXPECT_EQ(merged->pixels[i * 4 + 3], 200 + i);
  }
}

TEST(BitmapBuilding, PicturesOfDifferentSizesDoNotMerge) {
  Image24 colour;
  number(colour, 256, 256);
  Image8 alpha;
  alpha.setSize(256, 128);
  EXPECT_EQ(kst::MergeAlpha(colour, alpha), nullptr);
  alpha.setSize(128, 256);
  EXPECT_EQ(kst::MergeAlpha(colour, alpha), nullptr);
}

}  // namespace
