// The stretch between the device and the first frame, over the fake host
// and a recording driver, in a folder holding only the loading picture: the
// picture shown once through the layers, the second of fade that runs even
// without the tune, the stream that cannot start, and what the first frame
// then finds.
#include "shell/show_preparation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "layers/layer_stack.h"
#include "music/music.h"
#include "render/device.h"
#include "shell/show_script.h"
#include "stocks/bitmap_stock.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/recording_gl.h"
#include "support/show_folder.h"
#include "support/sound_files.h"
#include "timeline/timeline.h"

namespace {

class ShowPreparationTest : public ::testing::Test {
 protected:
  ShowPreparationTest() {
    world.driver.extensions = "GL_ARB_multitexture";
    world.host.tickPerCall = 10;
    const auto grey = [](int, int) { return std::array<int, 3>{90, 90, 90}; };
    EXPECT_TRUE(fake::writePicture(fake::Picture::make(16, 16, 3, grey), (folder / "demo/loading.jpg").string(),
                                   fake::PictureFormat::Jpeg));
    EXPECT_TRUE(CreateRenderDevice(world.host.windowDC(), 0, 800, 600));
  }
  ~ShowPreparationTest() override {
    music::stopMusic();
    music::state() = {};
    shell::releaseShow();
    DestroyRenderDevice();
  }

  fake::FakeGLWorld world;
  fake::ShowFolder folder;
  fake::LogCapture log;
};

TEST_F(ShowPreparationTest, LoadingPictureFadeAndStreamThenTheShowFromItsFirstEvent) {
  const std::uint32_t before = world.host.now;
  shell::ShowClock clock;
  testing::internal::CaptureStdout();
  shell::prepareShow(false, clock);
  const std::string said = testing::internal::GetCapturedStdout();

  // The picture was drawn once and presented, with nothing cleared first.
  const auto& calls = world.driver.calls;
  ASSERT_EQ(world.driver.count("SwapBuffers"), 1u);
  const auto swap = std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("SwapBuffers"); });
  EXPECT_NE(std::find(calls.begin(), swap, "glBegin(7)"), swap);
  EXPECT_EQ(std::count_if(calls.begin(), swap, [](const std::string& c) { return c.starts_with("glClear("); }), 0);

  // Without the tune the fade still takes its second; without the stream
  // the failure is said and the clock starts anyway.
  EXPECT_GE(world.host.now - before, 1000u);
  EXPECT_NE(said.find("Error!\nFile not found\n"), std::string::npos) << said;
  EXPECT_LT(clock.now(), 0.1f);

  // The loading picture and its layer are gone, and the cursor waits at the show's first
  // event: the eleven events at 0 s fire in the first update.
  EXPECT_EQ(kst::theBitmapStock().get("demo\\loading.jpg"), nullptr);
  world.driver.clear();
  kst::DrawLayers(0.0f);
  EXPECT_TRUE(world.driver.calls.empty());
  const std::uint32_t pending = kst::theTimeLine().count();
  kst::theTimeLine().update(0.0f);
  EXPECT_EQ(pending - kst::theTimeLine().count(), 11u);
  EXPECT_EQ(log.text().find("loading.jpg"), std::string::npos) << log.text();
}

// The music stream starts after the fade's last reading of the clock and
// before the show clock's: heard from the show's first moment, not ahead of
// the picture.
TEST_F(ShowPreparationTest, TheStreamStartsJustBeforeTheShowClock) {
  fake::writeShortMp3((folder / "demo/Skyward.mp3").string(), 0.5);
  std::vector<bool> streamAtReading;
  world.host.onTimeGetTime = [&] { streamAtReading.push_back(music::state().channel != -1); };
  shell::ShowClock clock;
  testing::internal::CaptureStdout();
  shell::prepareShow(false, clock);
  testing::internal::GetCapturedStdout();
  world.host.onTimeGetTime = nullptr;
  ASSERT_GT(streamAtReading.size(), 2u);
  EXPECT_TRUE(streamAtReading.back());
  EXPECT_EQ(std::count(streamAtReading.begin(), streamAtReading.end(), true), 1);
}

}  // namespace
