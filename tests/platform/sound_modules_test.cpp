// Module playback through the sound layer, read back from the mix without a
// device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"
#include "xm_writer.h"

namespace {

using fake::peak;
using fake::renderFrames;

class SoundModules : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::writeSmallXm(xmFile);
    ASSERT_TRUE(fake::startSoundWithoutDevice());
  }
  void TearDown() override { FSOUND_Close(); }

  fake::TempFolder folder;
  std::string xmFile = (folder / "tune.xm").string();
};

TEST_F(SoundModules, AnXmModuleLoadsAsType3AndPlaysAudibly) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FMUSIC_GetType(module), 3);
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f) << "nothing plays before FMUSIC_PlaySong";
  ASSERT_TRUE(FMUSIC_PlaySong(module));
  EXPECT_GT(peak(renderFrames(4410)), 0.05f);
}

TEST_F(SoundModules, MasterVolumeScalesTheTuneAndZeroSilencesIt) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
  FMUSIC_SetMasterVolume(module, 255);
  FMUSIC_PlaySong(module);
  const float full = peak(renderFrames(8820));
  FMUSIC_PlaySong(module);  // from the start again, at a quarter of the volume
  FMUSIC_SetMasterVolume(module, 64);
  const float quarter = peak(renderFrames(8820));
  EXPECT_NEAR(quarter / full, 64.0f / 255.0f, 0.02f);
  FMUSIC_SetMasterVolume(module, 0);
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f);
}

// A tune loops for as long as it plays: after its first pass (three
// patterns of 16 rows of 6 x 882 frames) it goes back to its restart
// pattern. A seek anywhere, however far in, is heard as the tune played
// from its start up to there: in the first pass, two loops on, and a
// billion seconds in, as the frame whole pairs of loops earlier (a looped
// sample's phase may alternate from one loop to the next). Each time round
// the mixer's rounding leaves differences below a millionth.
TEST_F(SoundModules, ASeekIntoALoopingTuneIsWhatPlayingUpToThereSounds) {
  constexpr std::uint64_t kPattern = 16 * 6 * 882;
  constexpr std::uint64_t kFirstPass = 3 * kPattern;
  constexpr std::size_t kHeard = 2205;
  for (int restart : {0, 1}) {
    const std::uint64_t pair = 2 * (3 - restart) * kPattern;
    fake::writeSmallXm(xmFile, restart);
    FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
    ASSERT_TRUE(FMUSIC_PlaySong(module));
    const std::vector<float> played = renderFrames(kFirstPass + 2 * pair + kHeard);
    const std::uint64_t billion = 1'000'000'000ull * 44100;
    for (const std::uint64_t frame : {std::uint64_t{44100}, kFirstPass + pair + 12345, billion}) {
      const std::uint64_t sameAs = frame < kFirstPass + 2 * pair ? frame : kFirstPass + (frame - kFirstPass) % pair;
      ASSERT_TRUE(platform::sound::setModuleTime(module, static_cast<double>(frame) / 44100.0));
      const std::vector<float> heard = renderFrames(kHeard);
      ASSERT_GT(peak(heard), 0.05f);
      float worst = 0.0f;
      for (std::size_t i = 0; i < heard.size(); ++i) worst = std::max(worst, std::abs(heard[i] - played[2 * sameAs + i]));
      EXPECT_LT(worst, 1e-5f) << "restart " << restart << ", frame " << frame;
    }
    FMUSIC_FreeSong(module);
  }
}

TEST_F(SoundModules, StoppingASongSilencesTheMix) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
  FMUSIC_PlaySong(module);
  renderFrames(1000);
  ASSERT_TRUE(FMUSIC_StopSong(module));
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f);
}

TEST_F(SoundModules, CallsOnANullModuleDoNothing) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
  FMUSIC_PlaySong(module);
  EXPECT_FALSE(FMUSIC_SetMasterVolume(nullptr, 0));
  EXPECT_FALSE(FMUSIC_SetPanSeperation(nullptr, 0.85f));
  EXPECT_FALSE(FMUSIC_StopSong(nullptr));
  EXPECT_FALSE(FMUSIC_PlaySong(nullptr));
  EXPECT_EQ(FMUSIC_GetType(nullptr), 0);
  EXPECT_EQ(FSOUND_GetError(), 14);
  EXPECT_GT(peak(renderFrames(4410)), 0.05f) << "the playing module was not touched";
}

// Two instruments panned hard left and hard right: full separation keeps them
// apart, none folds them into the middle.
TEST_F(SoundModules, PanSeparationNarrowsTheStereo) {
  xm::Module wide;
  wide.channels = 2;
  wide.instruments = {{"left", {"left", xm::squareWave(32, 96), 0, 32, 64, 0, 0, 0}},
                      {"right", {"right", xm::squareWave(40, 96), 0, 40, 64, 0, 255, 0}}};
  wide.patterns.emplace_back(4, 2);
  wide.patterns[0].at(0, 0) = {xm::note(4, 0), 1, 0, 0, 0};
  wide.order = {0};
  const std::string file = (folder / "wide.xm").string();
  xm::writeFile(wide, file);
  FMUSIC_MODULE* module = FMUSIC_LoadSong(file.c_str());
  FMUSIC_PlaySong(module);
  std::vector<float> mix = renderFrames(4410);
  EXPECT_GT(peak(mix, 0, 2), 10 * peak(mix, 1, 2)) << "only the left instrument plays";
  FMUSIC_SetPanSeperation(module, 0.0f);
  FMUSIC_PlaySong(module);
  mix = renderFrames(4410);
  EXPECT_NEAR(peak(mix, 0, 2), peak(mix, 1, 2), 0.01f);
}

TEST_F(SoundModules, FilesThatAreMissingOrNotModulesFailWithTheirCodes) {
  EXPECT_EQ(FMUSIC_LoadSong((folder / "absent.xm").c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 9);
  std::ofstream(folder / "notes.txt") << "these are not the droids you are looking for\n";
  EXPECT_EQ(FMUSIC_LoadSong((folder / "notes.txt").c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 10);
  fake::writeShortMp3(folder / "song.mp3", 0.2);
  EXPECT_EQ(FMUSIC_LoadSong((folder / "song.mp3").c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 10);
}

TEST_F(SoundModules, DataFileNamesWithBackslashesOpen) {
  std::filesystem::create_directory(folder / "demo");
  fake::writeSmallXm(folder / "demo" / "tune.xm");
  const std::string name = folder.path().string() + "\\demo\\tune.xm";
  EXPECT_NE(FMUSIC_LoadSong(name.c_str()), nullptr);
}

// Modules are owned by the library: after FSOUND_Close a kept handle is
// refused, not followed.
TEST_F(SoundModules, HandlesFromBeforeCloseAreRefused) {
  FMUSIC_MODULE* module = FMUSIC_LoadSong(xmFile.c_str());
  FMUSIC_PlaySong(module);
  FSOUND_Close();
  EXPECT_FALSE(FMUSIC_StopSong(module));
  EXPECT_FALSE(FMUSIC_SetMasterVolume(module, 10));
  EXPECT_EQ(FMUSIC_LoadSong(xmFile.c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 2) << "the library is no longer initialised";
}

TEST_F(SoundModules, InitialisingTwiceOrChangingOutputWhileRunningIsRefused) {
  EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
  EXPECT_EQ(FSOUND_GetError(), 1);
  EXPECT_FALSE(FSOUND_SetOutput(2));
  EXPECT_EQ(FSOUND_GetError(), 1);
}

}  // namespace
