// kstview's keys: cameras the scene has, pause, time steps that stop at 0.
#include <gtest/gtest.h>

#include "platform/host.h"
#include "viewer_state.h"

namespace {

TEST(KstviewKeys, NumberKeysPickOnlyCamerasTheSceneHas) {
  kstview::ViewerState state;
  state.cameraCount = 3;
  state.press('2');
  EXPECT_EQ(state.camera, 2u);
  state.press('3');  // one past the last
  EXPECT_EQ(state.camera, 2u);
  state.press('0');
  EXPECT_EQ(state.camera, 0u);
  EXPECT_NE(state.title("a.kst", 60).find("camera 0 [0-2]"), std::string::npos);
}

TEST(KstviewKeys, PauseHoldsTheClockAndArrowsStepIt) {
  kstview::ViewerState state;
  state.advance(0.5f);
  state.press(platform::kKeySpace);
  state.advance(10.0f);
  EXPECT_FLOAT_EQ(state.time, 0.5f);
  EXPECT_NE(state.title("a.kst", 0).find("[paused]"), std::string::npos);
  state.press(platform::kKeyRight);
  state.press(platform::kKeyUp);
  EXPECT_FLOAT_EQ(state.time, 0.5f + 1.0f / 30 + 1.0f);
  state.press(platform::kKeyDown);
  state.press(platform::kKeyDown);
  EXPECT_EQ(state.time, 0.0f);
  state.press(platform::kKeySpace);
  state.advance(0.25f);
  EXPECT_FLOAT_EQ(state.time, 0.25f);
  EXPECT_FALSE(state.quit);
  state.press(platform::kKeyEscape);
  EXPECT_TRUE(state.quit);
}

}  // namespace
