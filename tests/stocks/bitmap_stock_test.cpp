// Pictures loaded from files into the bitmap stock, checked at the level of
// the texture uploads they cause.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "scene/recorded_textures.h"
#include "stocks/bitmap_stock.h"
#include "stocks/load_error.h"
#include "support/log_capture.h"
#include "support/picture_files.h"

namespace {

class BitmapStockTest : public scenetest::RecordedTextures {
 protected:
  // A picture file in this test's folder whose pixel (x, y) is `pixel(x, y)`.
  template <typename F>
  std::string pictureFile(const std::string& fileName, int width, int height, int channels, F pixel) {
    const std::string path = folder + "/" + fileName;
    EXPECT_TRUE(fake::writePicture(fake::Picture::make(width, height, channels, pixel), path, fake::PictureFormat::Png));
    return path;
  }
  std::string colourFile(const std::string& fileName, int width, int height) {
    return pictureFile(fileName, width, height, 3,
                       [](int x, int y) { return std::array<int, 3>{x % 256, y % 256, 77}; });
  }
  std::string greyFile(const std::string& fileName, int width, int height) {
    return pictureFile(fileName, width, height, 1, [](int x, int y) { return std::array<int, 1>{(x + 2 * y) % 256}; });
  }

  // The reason of the failure of `load`, after checking that it names `file`.
  template <typename F>
  std::string failure(F load, const std::string& file) {
    try {
      load();
    } catch (const kst::LoadError& error) {
      EXPECT_EQ(error.file, file);
      EXPECT_NE(std::string(error.what()).find(file), std::string::npos);
      return error.reason;
    }
    ADD_FAILURE() << "no failure";
    return "";
  }

  // One upload of the given size, from a picture of the given size.
  void expectOneUpload(const TextureImage* texture, int width, int height, int pictureWidth, int pictureHeight) {
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(uploads[0].width, width);
    EXPECT_EQ(uploads[0].height, height);
    EXPECT_EQ(texture->pictureWidth, pictureWidth);
    EXPECT_EQ(texture->pictureHeight, pictureHeight);
  }

  std::string folder = fake::freshFolder("bitmap-stock");
  kst::BitmapStock stock;  // destroyed before the GL world
};

TEST_F(BitmapStockTest, BackdropOfPowerOfTwoSizeIsStoredUnpadded) {
  const std::string file = colourFile("square.png", 512, 512);
  stock.loadBackdrop(file.c_str());
  expectOneUpload(stock.get(file.c_str()), 512, 512, 512, 512);
}

TEST_F(BitmapStockTest, BackdropIsPaddedWithBlackColumnsAndClamped) {
  const std::string file = colourFile("wide.png", 513, 512);
  stock.loadBackdrop(file.c_str());
  TextureImage* texture = stock.get(file.c_str());
  expectOneUpload(texture, 1024, 512, 1024, 512);  // the backdrop's picture is the padded one
  ASSERT_FALSE(HasFailure());
  const scenetest::Upload& upload = uploads[0];
  ASSERT_EQ(upload.format, static_cast<GLenum>(GL_BGR_EXT));  // decoded blue first
  ASSERT_EQ(upload.bytes.size(), 1024u * 512 * 3);
  for (int y : {0, 1, 300, 511})
    for (int x = 0; x < 1024; ++x) {
      const std::uint8_t* texel = &upload.bytes[(static_cast<std::size_t>(y) * 1024 + x) * 3];
      const std::array<int, 3> want = x < 513 ? std::array<int, 3>{77, y % 256, x % 256} : std::array<int, 3>{0, 0, 0};
      ASSERT_EQ((std::array<int, 3>{texel[0], texel[1], texel[2]}), want) << x << "," << y;
    }
  EXPECT_EQ(texture->wrapS, static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(texture->wrapT, static_cast<GLenum>(GL_CLAMP));
  EXPECT_NE(texture->flags & TextureImage::TEX_NO_MIPMAPS, 0u);
}

TEST_F(BitmapStockTest, AlphaPictureIsAnUncompressedAlphaOnlyTexture) {
  const std::string file = greyFile("mask.png", 40, 30);
  stock.loadAlpha(file.c_str());
  TextureImage* texture = stock.get(file.c_str());
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->flags & TextureImage::TEX_COMPRESS, 0u);
  EXPECT_NE(texture->flags & TextureImage::TEX_NO_MIPMAPS, 0u);
  EXPECT_NE(texture->flags & TextureImage::TEX_ALPHA_ONLY, 0u);
  EXPECT_TRUE(texture->hasAlpha);
  EXPECT_EQ(texture->wrapS, static_cast<GLenum>(GL_CLAMP));
  EXPECT_EQ(texture->wrapT, static_cast<GLenum>(GL_CLAMP));
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].internalFormat, GL_ALPHA);
  EXPECT_EQ(uploads[0].bytes[0], 0);
  EXPECT_EQ(uploads[0].bytes[40 * 2 + 3], 7);  // (3, 2)
}

TEST_F(BitmapStockTest, ColourAndAlphaBecomeOneTextureUnderTheGivenName) {
  const std::string colour = colourFile("colour.png", 8, 4);
  const std::string alpha = greyFile("alpha.png", 8, 4);
  stock.loadWithAlpha("pupic", colour.c_str(), alpha.c_str());
  TextureImage* texture = stock.get("pupic");
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(stock.get(colour.c_str()), nullptr);
  EXPECT_TRUE(texture->hasAlpha);
  EXPECT_EQ(texture->flags & TextureImage::TEX_COMPRESS, 0u);
  EXPECT_NE(texture->flags & TextureImage::TEX_NO_MIPMAPS, 0u);
  EXPECT_EQ(texture->wrapS, static_cast<GLenum>(GL_CLAMP));
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].format, static_cast<GLenum>(GL_BGRA_EXT));
  const std::uint8_t* texel = &uploads[0].bytes[(3 * 8 + 5) * 4];  // (5, 3): blue 77, green 3, red 5, alpha 5 + 6
  EXPECT_EQ((std::array<int, 4>{texel[0], texel[1], texel[2], texel[3]}), (std::array<int, 4>{77, 3, 5, 11}));
}

TEST_F(BitmapStockTest, TheTextureRemembersThePictureSizeBeforeFitting) {
  const std::string colour = colourFile("odd.png", 6, 3);
  const std::string alpha = greyFile("odd-alpha.png", 6, 3);
  stock.loadWithAlpha("odd", colour.c_str(), alpha.c_str());
  expectOneUpload(stock.get("odd"), 8, 4, 6, 3);
}

TEST_F(BitmapStockTest, PicturesOfDifferentSizesFailAndStoreNothing) {
  const std::string colour = colourFile("big.png", 256, 256);
  const std::string alpha = greyFile("half.png", 256, 128);
  const std::string reason = failure([&] { stock.loadWithAlpha("both", colour.c_str(), alpha.c_str()); }, alpha);
  EXPECT_NE(reason.find("differs"), std::string::npos) << reason;
  EXPECT_EQ(stock.get("both"), nullptr);
  EXPECT_EQ(stock.size(), 0u);
  EXPECT_TRUE(uploads.empty());
}

TEST_F(BitmapStockTest, MissingAndUndecodableFilesFailWithTheirReason) {
  const std::string missing = folder + "/missing.png";
  const std::string broken = folder + "/broken.png";
  std::ofstream(broken) << "not a picture at all";
  const std::string good = colourFile("good.png", 4, 4);
  EXPECT_NE(failure([&] { stock.loadBackdrop(missing.c_str()); }, missing).find("cannot open"), std::string::npos);
  EXPECT_NE(failure([&] { stock.loadAlpha(broken.c_str()); }, broken).find("cannot decode"), std::string::npos);
  EXPECT_NE(failure([&] { stock.loadWithAlpha("n", good.c_str(), missing.c_str()); }, missing).find("cannot open"),
            std::string::npos);
  EXPECT_NE(failure([&] { stock.loadWithAlpha("n", broken.c_str(), good.c_str()); }, broken).find("cannot decode"),
            std::string::npos);
  EXPECT_EQ(stock.size(), 0u);
}

TEST_F(BitmapStockTest, ALoadUnderAPresentNameKeepsTheFirstTexture) {
  const std::string file = colourFile("twice.png", 8, 8);
  stock.loadBackdrop(file.c_str());
  TextureImage* first = stock.get(file.c_str());
  stock.loadBackdrop(file.c_str());
  EXPECT_EQ(stock.get(file.c_str()), first);
  EXPECT_EQ(stock.size(), 1u);
  stock.unload(file.c_str());
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
}

// While the show is built again at another moment: a texture set aside
// comes back without a read; one whose picture changed on disk is read
// again; one whose picture no longer reads stays, with a warning naming the
// file and the reason; what no load asked back goes at the end.
TEST_F(BitmapStockTest, SetAsideTexturesComeBackUnlessTheirPictureChanged) {
  const std::string file = colourFile("changing.png", 8, 8);
  const std::string other = colourFile("dropped.png", 4, 4);
  stock.loadBackdrop(file.c_str());
  stock.loadBackdrop(other.c_str());
  TextureImage* first = stock.get(file.c_str());
  // File times may be coarse: each change is made to look a second later.
  const auto written = std::filesystem::last_write_time(file);
  const auto change = [&](int seconds) { std::filesystem::last_write_time(file, written + std::chrono::seconds(seconds)); };

  stock.setAside();
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
  stock.loadBackdrop(file.c_str());
  stock.unload(file.c_str());  // aside again, for a later load of the same rebuild
  stock.loadBackdrop(file.c_str());
  stock.dropAside();
  EXPECT_EQ(stock.get(file.c_str()), first);
  EXPECT_EQ(stock.get(other.c_str()), nullptr);
  EXPECT_EQ(uploads.size(), 2u);
  EXPECT_TRUE(stock.changedSources().empty());

  colourFile("changing.png", 16, 8);
  change(1);
  EXPECT_EQ(stock.changedSources(), std::vector<std::string>{file});
  stock.setAside();
  stock.loadBackdrop(file.c_str());
  stock.dropAside();
  TextureImage* second = stock.get(file.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->pictureWidth, 16);
  EXPECT_EQ(uploads.size(), 3u);

  std::ofstream(file, std::ios::trunc) << "damaged";
  change(2);
  fake::LogCapture log;
  stock.setAside();
  stock.loadBackdrop(file.c_str());
  stock.dropAside();
  EXPECT_EQ(stock.get(file.c_str()), second);
  EXPECT_NE(log.text().find("Warning: " + file + " not read again: cannot decode"), std::string::npos) << log.text();
}

// While unloads are kept (the development mode), an unloaded texture waits
// aside for a later load, which takes it back without reading; once they
// are no longer kept, what waits goes.
TEST_F(BitmapStockTest, KeptUnloadsComeBackWithoutAReadUntilKeepingEnds) {
  const std::string file = colourFile("kept.png", 8, 8);
  stock.keepUnloaded(true);
  stock.loadBackdrop(file.c_str());
  TextureImage* first = stock.get(file.c_str());
  stock.unload(file.c_str());
  EXPECT_EQ(stock.get(file.c_str()), nullptr);
  stock.loadBackdrop(file.c_str());
  EXPECT_EQ(stock.get(file.c_str()), first);
  EXPECT_EQ(uploads.size(), 1u);

  stock.unload(file.c_str());
  stock.keepUnloaded(false);
  stock.loadBackdrop(file.c_str());
  EXPECT_EQ(uploads.size(), 2u);
}

}  // namespace
