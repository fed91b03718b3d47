// Load and unload events of the bitmap stock, over a recording GL world: what
// ends up in the stock, and what a picture that cannot be read leaves behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "scene/recorded_textures.h"
#include "stocks/bitmap_stock.h"
#include "stocks/load_error.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "timeline/bitmap_events.h"
#include "timeline/value_events.h"
#include "timeline_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class BitmapEvents : public fake::TimeLineFixtureOver<scenetest::RecordedTextures> {
 protected:
  void TearDown() override {
    fake::TimeLineFixtureOver<scenetest::RecordedTextures>::TearDown();
    stock().clear();  // while the GL world is still there
  }
  static kst::BitmapStock& stock() { return kst::theBitmapStock(); }

  std::string picture(const std::string& name, int width, int height, int channels) {
    const std::string path = folder + "/" + name;
    const auto pixel = [](int x, int y) { return std::array<int, 3>{x % 256, y % 256, 90}; };
    EXPECT_TRUE(fake::writePicture(fake::Picture::make(width, height, channels, pixel), path, fake::PictureFormat::Png));
    return path;
  }
  std::string damaged(const std::string& name) {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << "\x89PNG\r\n\x1a\n but nothing more";
    return path;
  }
  // The reason the stock itself gives for refusing `file` as a backdrop.
  std::string refusal(const std::string& file) {
    try {
      stock().loadBackdrop(file.c_str());
    } catch (const kst::LoadError& error) {
      return error.reason;
    }
    ADD_FAILURE() << file << " loaded";
    return "";
  }

  std::string folder = fake::freshFolder("bitmap-events");
};

TEST_F(BitmapEvents, ABackdropIsLoadedWhenItsTimeComesPaddedUnderItsFileName) {
  const std::string file = picture("title.png", 300, 200, 3);
  new kst::EvtLoadBitmapBackdrop(2.0f, file);
  frameAt(1.0f);
  EXPECT_EQ(stock().get(file.c_str()), nullptr);
  frameAt(2.0f);
  ASSERT_NE(stock().get(file.c_str()), nullptr);
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].width, 512);
  EXPECT_EQ(uploads[0].height, 256);
}

TEST_F(BitmapEvents, AMaskIsLoadedAsOneChannel) {
  const std::string file = picture("mask.png", 64, 32, 1);
  new kst::EvtLoadBitmapAlpha(0.0f, file);
  frameAt(0.0f);
  ASSERT_NE(stock().get(file.c_str()), nullptr);
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(scenetest::bytesPerPixelOf(uploads[0].format), 1);
  EXPECT_EQ(uploads[0].width, 64);
  EXPECT_EQ(uploads[0].height, 32);
}

TEST_F(BitmapEvents, AnUnloadTakesOnlyItsOwnNameOut) {
  const std::string kept = picture("kept.png", 16, 16, 3);
  const std::string gone = picture("gone.png", 16, 16, 3);
  new kst::EvtLoadBitmapBackdrop(0.0f, kept);
  new kst::EvtLoadBitmapBackdrop(0.0f, gone);
  new kst::EvtUnloadBitmap(1.0f, gone);
  frameAt(1.0f);
  EXPECT_EQ(stock().get(gone.c_str()), nullptr);
  EXPECT_NE(stock().get(kept.c_str()), nullptr);
}

TEST_F(BitmapEvents, AnUnloadOfANameNeverLoadedDoesNothing) {
  const std::string file = picture("kept.png", 16, 16, 3);
  new kst::EvtLoadBitmapBackdrop(0.0f, file);
  new kst::EvtUnloadBitmap(1.0f, folder + "/never.png");
  new kst::EvtUnloadBitmap(1.0f, folder + "/KEPT.png");  // names are case-sensitive
  fake::LogCapture log;
  frameAt(1.0f);
  EXPECT_EQ(stock().size(), 1u);
  EXPECT_NE(stock().get(file.c_str()), nullptr);
  EXPECT_THAT(log.text(), IsEmpty());
  EXPECT_THAT(callsOf("glDeleteTextures"), IsEmpty());
}

TEST_F(BitmapEvents, AFailingLoadIsLoggedWithFileAndReasonAndTheShowGoesOn) {
  const std::string missing = folder + "/missing.png";
  const std::string broken = damaged("broken.png");
  const std::string good = picture("good.png", 8, 8, 1);
  bool switched = false;
  new kst::EvtLoadBitmapBackdrop(1.0f, missing);
  new kst::EvtLoadBitmapAlpha(1.0f, broken);
  new kst::EvtLoadBitmapAlpha(1.0f, good);
  new kst::EvtChangeValue<bool>(1.0f, &switched, true);
  fake::LogCapture log;
  frameAt(1.0f);
  EXPECT_TRUE(switched) << "the events after the failures still fire";
  EXPECT_EQ(line().count(), 0u);
  EXPECT_EQ(stock().size(), 1u);
  EXPECT_NE(stock().get(good.c_str()), nullptr);
  ASSERT_EQ(log.lines().size(), 2u) << log.text();
  EXPECT_THAT(log.lines()[0], HasSubstr("** Warning:"));
  EXPECT_THAT(log.lines()[0], HasSubstr(missing));
  EXPECT_THAT(log.lines()[0], HasSubstr(refusal(missing)));
  EXPECT_THAT(log.lines()[1], HasSubstr("** Warning:"));
  EXPECT_THAT(log.lines()[1], HasSubstr(broken));
  EXPECT_THAT(log.lines()[1], HasSubstr(refusal(broken)));
  EXPECT_NE(refusal(missing), refusal(broken)) << "the two failures have different reasons";
}

}  // namespace
