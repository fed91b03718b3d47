#include "scene/image_decoding.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/memory_reader.h"
#include "support/picture_files.h"

namespace {

using fake::Picture;
using fake::PictureFormat;

// A 5x3 picture whose rows are told apart by colour: row 0 red, row 1
// green, row 2 blue; the alpha channel grows along x.
Picture bands(int channels) {
  return Picture::make(5, 3, channels, [](int x, int y) {
    std::array<int, 4> pixel{0, 0, 0, 40 * x + 50};
    pixel[y] = 255;
    return pixel;
  });
}

class DecodingTest : public ::testing::Test {
 protected:
  std::string write(const Picture& picture, const std::string& file, PictureFormat format) {
    const std::string path = folder + "/" + file;
    EXPECT_TRUE(fake::writePicture(picture, path, format)) << path;
    return path;
  }
  std::string folder = fake::freshFolder("decoding");
};

// Byte `channel` (0 red, 1 green, 2 blue, 3 alpha) of pixel (x, y) of a
// picture decoded blue first.
int channelOf(const Image& image, int x, int y, int channel) {
  const int bytes = image.bytesPerPixel();
  const int offset = channel < 3 ? 2 - channel : 3;
  return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * bytes + offset];
}

void expectBands(const Image& image, int tolerance) {
  ASSERT_EQ(image.width, 5);
  ASSERT_EQ(image.height, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(channelOf(image, x, y, c), c == y ? 255 : 0, tolerance) << x << "," << y << " channel " << c;
}

TEST_F(DecodingTest, RgbaPngGivesTopDownBlueFirstRowsWithAlpha) {
  const std::string path = write(bands(4), "bands.png", PictureFormat::Png);
  Image32 image;
  ASSERT_TRUE(LoadImage(image, path));
  EXPECT_EQ(image.name, path);
  EXPECT_EQ(image.bgrOrder, 1);
  EXPECT_EQ(image.byteSize(), 5u * 3u * 4u);
  expectBands(image, 0);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(channelOf(image, x, 1, 3), 40 * x + 50);
}

TEST_F(DecodingTest, RgbPngAsEveryLayout) {
  const std::string path = write(bands(3), "bands.png", PictureFormat::Png);
  Image24 image24;
  ASSERT_TRUE(LoadImage(image24, path));
  EXPECT_EQ(image24.bgrOrder, 1);
  expectBands(image24, 0);
  Image32 image32;
  ASSERT_TRUE(LoadImage(image32, path));
  expectBands(image32, 0);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(channelOf(image32, x, 0, 3), 255) << "opaque";
}

TEST_F(DecodingTest, GreyPngKeepsItsLevelsAndOddSize) {
  const Picture ramp = Picture::make(7, 5, 1, [](int x, int y) { return std::array<int, 1>{x * 30 + y}; });
  Image8 image;
  ASSERT_TRUE(LoadImage(image, write(ramp, "ramp.png", PictureFormat::Png)));
  ASSERT_EQ(image.width, 7);
  ASSERT_EQ(image.height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(image.pixels[y * 7 + x], x * 30 + y);
}

TEST_F(DecodingTest, ColourPictureAsGreyKeepsBlackAndWhite) {
  const Picture halves = Picture::make(4, 2, 3, [](int, int y) {
    const int level = y == 0 ? 255 : 0;
    return std::array<int, 3>{level, level, level};
  });
  Image8 image;
  ASSERT_TRUE(LoadImage(image, write(halves, "halves.png", PictureFormat::Png)));
  EXPECT_EQ(image.pixels[0], 255);
  EXPECT_EQ(image.pixels[7], 0);
}

TEST_F(DecodingTest, JpegPicturesWithinCompressionLoss) {
  // Blocks of eight rows so that the colours survive the compression.
  const Picture blocks = Picture::make(9, 24, 3, [](int, int y) {
    std::array<int, 3> pixel{0, 0, 0};
    pixel[y / 8] = 255;
    return pixel;
  });
  Image24 image;
  ASSERT_TRUE(LoadImage(image, write(blocks, "blocks.jpg", PictureFormat::Jpeg)));
  ASSERT_EQ(image.width, 9);
  ASSERT_EQ(image.height, 24);
  for (int band = 0; band < 3; ++band)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(channelOf(image, 4, band * 8 + 3, c), c == band ? 255 : 0, 40);
  const Picture grey = Picture::make(11, 9, 1, [](int, int) { return std::array<int, 1>{100}; });
  Image8 greyImage;
  ASSERT_TRUE(LoadImage(greyImage, write(grey, "grey.jpg", PictureFormat::Jpeg)));
  EXPECT_EQ(greyImage.width, 11);
  EXPECT_NEAR(greyImage.pixels[5 * 11 + 5], 100, 3);
}

TEST_F(DecodingTest, SameBytesFromMemoryGiveTheSamePixels) {
  for (const char* file : {"bands.png", "bands.jpg"}) {
    const bool png = std::string(file).ends_with(".png");
    const std::string path = write(bands(3), file, png ? PictureFormat::Png : PictureFormat::Jpeg);
    Image32 fromFile;
    Image32 fromMemory;
    ASSERT_TRUE(LoadImage(fromFile, path));
    const std::vector<std::uint8_t> bytes = fake::readWholeFile(path);
    ASSERT_TRUE(LoadImageFromMemory(fromMemory, bytes, file));
    EXPECT_EQ(fromMemory.name, file);
    EXPECT_EQ(fromMemory.bgrOrder, 1);
    ASSERT_EQ(fromMemory.byteSize(), fromFile.byteSize());
    EXPECT_EQ(std::vector<std::uint8_t>(fromMemory.pixels.get(), fromMemory.pixels.get() + fromMemory.byteSize()),
              std::vector<std::uint8_t>(fromFile.pixels.get(), fromFile.pixels.get() + fromFile.byteSize()))
        << file;
  }
}

TEST_F(DecodingTest, BackslashedDataNamesReachTheFile) {
  write(bands(3), "bands.png", PictureFormat::Png);
  std::string name = folder + "\\bands.png";
  Image24 image;
  ASSERT_TRUE(LoadImage(image, name));
  EXPECT_EQ(image.name, name);  // the name stays as the show spells it
}

TEST_F(DecodingTest, FailuresAnswerFalseAndLeaveTheTargetAlone) {
  Image24 image;
  image.setSize(2, 2);
  image.name = "before";
  EXPECT_FALSE(LoadImage(image, folder + "/missing.png"));
  const std::vector<std::uint8_t> junk(100, 0x5A);
  EXPECT_FALSE(LoadImageFromMemory(image, junk, "junk.png"));
  EXPECT_FALSE(LoadImageFromMemory(image, junk, "junk"));
  EXPECT_FALSE(LoadImageFromMemory(image, {}, ""));
  // A PNG cut short in its pixel data.
  std::vector<std::uint8_t> cut = fake::readWholeFile(write(bands(3), "bands.png", PictureFormat::Png));
  cut.resize(cut.size() / 2);
  Image32 cutImage;
  LoadImageFromMemory(cutImage, cut, "cut.png");  // may or may not decode; must not crash
  EXPECT_EQ(image.name, "before");
  EXPECT_EQ(image.width, 2);
}

TEST(MemoryReaderTest, ReadsAndSeeksFromEachOrigin) {
  const std::vector<std::uint8_t> bytes{10, 11, 12, 13, 14, 15, 16, 17};
  MemoryReader reader(bytes);
  std::array<std::uint8_t, 8> out{};
  EXPECT_EQ(reader.read(out.data(), 2, 2), 4u);  // bytes, not items
  EXPECT_EQ(out[3], 13);
  EXPECT_EQ(reader.tell(), 4);
  EXPECT_EQ(reader.seek(1, 0), 1);  // from the start
  EXPECT_EQ(reader.tell(), 1);
  EXPECT_EQ(reader.seek(2, 1), 1);  // from here
  EXPECT_EQ(reader.tell(), 3);
  EXPECT_EQ(reader.seek(-3, 2), 1);  // from the end
  EXPECT_EQ(reader.tell(), 5);
  EXPECT_EQ(reader.read(out.data(), 1, 8), 3u);  // only what is left
  EXPECT_EQ(out[0], 15);
  EXPECT_EQ(reader.read(out.data(), 1, 8), 0u);
  EXPECT_EQ(reader.seek(0, 3), 0);  // no such origin
  EXPECT_EQ(reader.tell(), 8);
  EXPECT_EQ(reader.write(out.data(), 1, 4), 0u);
}

TEST(MemoryReaderTest, PositionNeverLeavesTheBytes) {
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  MemoryReader reader(bytes);
  reader.seek(-10, 0);
  EXPECT_EQ(reader.tell(), 0);
  reader.seek(10, 1);
  EXPECT_EQ(reader.tell(), 3);
  std::uint8_t out = 0;
  EXPECT_EQ(reader.read(&out, 1, 1), 0u);
}

}  // namespace

namespace {

// A damaged header can declare any size, and the decoder would make room
// for all of it before reading a pixel: past the largest side or the most
// pixels a picture may have, it is refused, from a file or from memory.
TEST_F(DecodingTest, AHeaderDeclaringAHugePictureIsRefusedUnread) {
  std::vector<std::uint8_t> jpeg;
  {
    const std::string path = write(bands(3), "declared.jpg", PictureFormat::Jpeg);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    for (int c; (c = std::fgetc(file)) != EOF;) jpeg.push_back(static_cast<std::uint8_t>(c));
    std::fclose(file);
  }
  // The frame header: FF C0, length (2), precision (1), height (2), width (2).
  std::size_t frame = 0;
  while (frame + 1 < jpeg.size() && !(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0)) ++frame;
  ASSERT_LT(frame + 8, jpeg.size());
  struct Declared {
    unsigned width, height;
    bool decoded;
  };
  for (const Declared d : {Declared{20000, 1, false}, Declared{1, 20000, false}, Declared{5000, 4000, false},
                           Declared{16384, 1, true}, Declared{4096, 4096, true}}) {
    std::vector<std::uint8_t> bytes = jpeg;
    bytes[frame + 5] = static_cast<std::uint8_t>(d.height >> 8);
    bytes[frame + 6] = static_cast<std::uint8_t>(d.height);
    bytes[frame + 7] = static_cast<std::uint8_t>(d.width >> 8);
    bytes[frame + 8] = static_cast<std::uint8_t>(d.width);
    Image24 fromMemory, fromFile;
    EXPECT_EQ(LoadImageFromMemory(fromMemory, bytes, "declared.jpg"), d.decoded) << d.width << 'x' << d.height;
    const std::string path = folder + "/declared-" + std::to_string(d.width) + ".jpg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    EXPECT_EQ(LoadImage(fromFile, path), d.decoded) << d.width << 'x' << d.height;
    if (d.decoded) {
      EXPECT_EQ(fromFile.width, static_cast<std::int32_t>(d.width));
    }
  }
}

}  // namespace
