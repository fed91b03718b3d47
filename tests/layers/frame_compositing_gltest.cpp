// The frame loop draws the layers after the timeline and before the frame is
// saved or shown: a brush activated by an event at 0.5 s has already painted
// the frame of 0.5 s, starting at local time 0.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "layers/layer_stack.h"
#include "render/gl_table.h"
#include "support/headless_show.h"
#include "support/show_folder.h"
#include "timeline/timeline.h"

namespace {

std::vector<float> drawnAt;

// Fills the frame with green and puts the clear colour back.
class GreenBrush : public kst::Brush {
 public:
  void Draw(float localTime) override {
    drawnAt.push_back(localTime);
    gl.glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    gl.glClear(GL_COLOR_BUFFER_BIT);
    gl.glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  }
};

class ActivateAtScheduledTime : public kst::TimeLineEvent {
 public:
  ActivateAtScheduledTime(float at, kst::Brush* brush) : kst::TimeLineEvent(at), brush_(brush) {}
  void fire(float) override { kst::ActivateBrush(time, brush_); }

 private:
  kst::Brush* brush_;
};

TEST(FrameCompositing, TheFrameOfAnActivationShowsTheNewBrush) {
  const auto file = std::filesystem::temp_directory_path() / ("skyward-layers-" + std::to_string(::getpid()) + ".png");
  new ActivateAtScheduledTime(0.5f, new GreenBrush);
  kst::theTimeLine().rewind();

  // No show: only the event above, and a clock started at once.
  fake::ShowFolder folder;
  const auto startClock = [](bool, shell::ShowClock& clock) { clock.start(); };
  EXPECT_EQ(fake::runHeadlessShow(0.6f, {{0.5f, file.string()}}, startClock), 1);

  ASSERT_FALSE(drawnAt.empty());
  EXPECT_EQ(drawnAt.front(), 0.0f);
  FIBITMAP* shot = FreeImage_Load(FIF_PNG, file.c_str(), PNG_DEFAULT);
  ASSERT_NE(shot, nullptr) << file;
  FIBITMAP* rgb = FreeImage_ConvertTo24Bits(shot);
  const BYTE* pixel = FreeImage_GetScanLine(rgb, 300) + 400 * 3;
  EXPECT_EQ(pixel[FI_RGBA_GREEN], 255);
  EXPECT_EQ(pixel[FI_RGBA_RED], 0);
  FreeImage_Unload(rgb);
  FreeImage_Unload(shot);
  std::filesystem::remove(file);
}

}  // namespace
