// The whole program over the real platform and the software driver, as
// `skyward --headless --preload --fps 30 --until 1 --screenshot 0.5=FILE`.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "base/stop_request.h"
#include "support/headless_show.h"
#include "support/show_folder.h"

namespace {

// With an empty data folder every file is missing: the show goes on and
// shows nothing.
TEST(HeadlessRun, EndsNormallyAndSavesABlackFrame) {
  fake::ShowFolder folder;
  const auto file = std::filesystem::temp_directory_path() / ("skyward-shot-" + std::to_string(::getpid()) + ".png");
  EXPECT_EQ(fake::runHeadlessShow(1.0f, {{0.5f, file.string()}}), 1);

  FIBITMAP* shot = FreeImage_Load(FIF_PNG, file.c_str(), PNG_DEFAULT);
  ASSERT_NE(shot, nullptr) << file;
  EXPECT_EQ(FreeImage_GetWidth(shot), 800u);
  EXPECT_EQ(FreeImage_GetHeight(shot), 600u);
  FIBITMAP* rgb = FreeImage_ConvertTo24Bits(shot);
  unsigned lit = 0;
  for (unsigned y = 0; y < 600; ++y) {
    const BYTE* row = FreeImage_GetScanLine(rgb, static_cast<int>(y));
    for (unsigned x = 0; x < 800 * 3; ++x) lit += row[x] != 0;
  }
  EXPECT_EQ(lit, 0u);
  FreeImage_Unload(rgb);
  FreeImage_Unload(shot);
  std::filesystem::remove(file);
}

// Ctrl-C or SIGTERM while the show is prepared ends it there, in order, as
// Escape would: exit code 1, said, and no frame drawn.
TEST(HeadlessRun, AStopAskedDuringPreparationEndsTheShowBeforeItsFirstFrame) {
  fake::ShowFolder folder;
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 10;
  options.start = 5.0;
  options.until = 6.0f;
  const std::string shot = (folder / "first.png").string();
  options.screenshots = {{5.0f, shot}};
  const auto stopping = [](bool preloadChoice, shell::ShowClock& clock) {
    kst::askToStop();
    shell::prepareShow(preloadChoice, clock);
  };
  testing::internal::CaptureStderr();
  EXPECT_EQ(fake::runHeadlessShow(options, stopping), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  kst::forgetStopRequest();
  EXPECT_NE(said.find("skyward: stopped by a signal"), std::string::npos) << said;
  EXPECT_FALSE(std::filesystem::exists(shot));
}

// Asked for, every frame's times are written at the end: one line a frame
// of the fixed step, 0 to 0.5 s at 10 frames per second being six frames
// (the loop ends on the frame that reaches --until), each of them lasting,
// and the process working for some of them.
TEST(HeadlessRun, WritesEveryFramesShowTimeWallTimeAndProcessorTime) {
  fake::ShowFolder folder;
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 10;
  options.until = 0.5f;
  options.frameTimes = (folder / "frames.txt").string();
  EXPECT_EQ(fake::runHeadlessShow(options), 1);

  std::ifstream in(*options.frameTimes);
  std::vector<float> showTimes;
  float showTime = 0.0f;
  double wall = 0.0, processor = 0.0, processorTotal = 0.0;
  while (in >> showTime >> wall >> processor) {
    showTimes.push_back(showTime);
    EXPECT_GT(wall, 0.0) << "frame at " << showTime;
    EXPECT_GE(processor, 0.0) << "frame at " << showTime;
    processorTotal += processor;
  }
  EXPECT_GT(processorTotal, 0.0);
  ASSERT_EQ(showTimes.size(), 6u);
  for (std::size_t k = 0; k < showTimes.size(); ++k) EXPECT_NEAR(showTimes[k], 0.1f * k, 1e-4f);

  // A file that cannot be written is said, and the show still ends normally.
  options.frameTimes = (folder / "demo").string();
  EXPECT_EQ(fake::runHeadlessShow(options), 1);
}

}  // namespace
