// The sound layer on a real SDL audio device: SDL's "disk" driver writes what
// the device plays to a file, a driver that does not exist cannot open.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/fmod.h"
#include "support/scoped_env.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"

namespace {

using namespace std::chrono_literals;

using fake::ScopedEnv;

std::vector<float> readFloats(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> samples(bytes.size() / sizeof(float));
  std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
  return samples;
}

TEST(SoundDevice, ADeviceThatCannotOpenFailsInitWithCode3) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  FSOUND_SetOutput(2);
  EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
  EXPECT_EQ(FSOUND_GetError(), 3);
  FSOUND_Close();
}

TEST(SoundDevice, TheDevicePlaysTheModuleMix) {
  fake::TempFolder folder;
  fake::writeSmallXm(folder / "tune.xm");
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv output("SDL_DISKAUDIOFILE", (folder / "device.raw").string());
  FSOUND_SetOutput(2);
  ASSERT_TRUE(FSOUND_Init(44100, 32, 0)) << "error " << FSOUND_GetError();
  FMUSIC_MODULE* module = FMUSIC_LoadSong((folder / "tune.xm").c_str());
  FMUSIC_PlaySong(module);
  std::this_thread::sleep_for(300ms);
  FSOUND_Close();
  const std::vector<float> played = readFloats(folder / "device.raw");
  ASSERT_GT(played.size(), 4096u);
  EXPECT_GT(fake::peak(played), 0.05f);
}

TEST(SoundDevice, TheDefaultTestDriverOpens) {
  FSOUND_SetOutput(2);
  EXPECT_TRUE(FSOUND_Init(44100, 32, 0));
  FSOUND_Close();
}

}  // namespace
