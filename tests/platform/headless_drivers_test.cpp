#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/sdl_host.h"
#include "support/scoped_env.h"

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "(unset)" : value;
}

TEST(HeadlessDrivers, VideoIsAlwaysOffscreenAndAudioSilentUnlessTheUserChoseOne) {
  fake::ScopedEnv video("SDL_VIDEODRIVER", "x11");
  {
    fake::ScopedEnv audio("SDL_AUDIODRIVER", "disk");
    platform::useHeadlessDrivers();
    EXPECT_EQ(variable("SDL_VIDEODRIVER"), "offscreen");
    EXPECT_EQ(variable("SDL_AUDIODRIVER"), "disk");
  }
  fake::ScopedEnv audio("SDL_AUDIODRIVER", "");  // set but empty: SDL's own choice
  platform::useHeadlessDrivers();
  EXPECT_EQ(variable("SDL_AUDIODRIVER"), "dummy");
}

}  // namespace
