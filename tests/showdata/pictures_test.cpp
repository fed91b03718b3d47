// The generated pictures load into the bitmap stock in the modes the show
// uses, with the sizes the layers expect; the filaments tile and the
// skyline mask is clear sky above opaque buildings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "scene/image_decoding.h"
#include "scene/recorded_textures.h"
#include "showdata/showdata_folder.h"
#include "stocks/bitmap_stock.h"

namespace {

using showdatatest::dataFile;

class GeneratedPictures : public scenetest::RecordedTextures {
 protected:
  kst::BitmapStock stock;
};

TEST_F(GeneratedPictures, BackdropsAreFramesPaddedToPowersOfTwo) {
  for (const char* name : {"demo\\loading.jpg", "demo\\Skyward.jpg", "demo\\backs\\1.jpg", "demo\\frontdrop.jpg", "demo\\backs\\biglogo.jpg"}) {
    uploads.clear();
    stock.loadBackdrop(dataFile(name).c_str());
    ASSERT_EQ(uploads.size(), 1u) << name;
    EXPECT_EQ(uploads[0].width, 1024) << name;  // 800 x 600 padded
    EXPECT_EQ(uploads[0].height, 1024) << name;
  }
}

TEST_F(GeneratedPictures, AlphaPicturesAndTheCutOutHaveTheirSizes) {
  struct Expected {
    const char* name;
    int width, height;
  };
  for (const Expected& e : {Expected{"demo\\fil1.png", 64, 512}, Expected{"demo\\fil2.png", 64, 512}, Expected{"demo\\fil3.png", 64, 512},
                            Expected{"demo\\greetings.jpg", 512, 256}, Expected{"demo\\cite-alpha.png", 400, 300}}) {
    stock.loadAlpha(dataFile(e.name).c_str());
    const TextureImage* texture = stock.get(dataFile(e.name).c_str());
    ASSERT_NE(texture, nullptr) << e.name;
    EXPECT_EQ(texture->pictureWidth, e.width) << e.name;
    EXPECT_EQ(texture->pictureHeight, e.height) << e.name;
  }
  stock.loadWithAlpha("pupic", dataFile("demo\\pupic.jpg").c_str(), dataFile("demo\\pupic_a.jpg").c_str());
  ASSERT_NE(stock.get("pupic"), nullptr);
  EXPECT_EQ(stock.get("pupic")->pictureWidth, 320);
  EXPECT_EQ(stock.get("pupic")->pictureHeight, 480);
  EXPECT_TRUE(stock.get("pupic")->hasAlpha);
}

int at(const Image8& image, int x, int y) { return image.pixels[static_cast<std::size_t>(y) * image.width + x]; }

// Scrolled vertically, a filament shows its last row next to its first:
// that step must be no larger than the largest step inside the picture.
TEST(GeneratedFilaments, TileSeamlesslyTopToBottom) {
  for (const char* name : {"demo\\fil1.png", "demo\\fil2.png", "demo\\fil3.png"}) {
    Image8 image;
    ASSERT_TRUE(LoadImage(image, dataFile(name))) << name;
    auto step = [&](int y0, int y1) {
      int largest = 0;
      for (int x = 0; x < image.width; ++x) largest = std::max(largest, std::abs(at(image, x, y0) - at(image, x, y1)));
      return largest;
    };
    int inside = 0;
    for (int y = 0; y + 1 < image.height; ++y) inside = std::max(inside, step(y, y + 1));
    EXPECT_GT(inside, 0) << name << " is blank";
    EXPECT_LE(step(image.height - 1, 0), inside) << name;
    int brightest = 0;
    for (int y = 0; y < image.height; ++y) brightest = std::max(brightest, at(image, image.width / 2, y));
    EXPECT_GT(brightest, 200) << name << ": the filament glows in the middle";
  }
}

TEST(GeneratedSkyline, SkyIsExactlyClearAndTheStreetOpaque) {
  Image8 image;
  ASSERT_TRUE(LoadImage(image, dataFile("demo\\cite-alpha.png")));
  int opaqueAtStreet = 0;
  for (int x = 0; x < image.width; ++x) {
    EXPECT_EQ(at(image, x, 0), 0) << x;
    opaqueAtStreet += at(image, x, image.height - 1) == 255;
  }
  EXPECT_GT(opaqueAtStreet, image.width * 9 / 10);
}

}  // namespace
