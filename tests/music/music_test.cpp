// The program's music calls over the real sound layer: what is printed, what
// starts, what is left uninitialised.
#include "music/music.h"
#include "shell/module_fade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "platform/sound_seam.h"
#include "music/sound_errors.h"
#include "support/fake_host.h"
#include "support/log_capture.h"
#include "support/scoped_env.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"

namespace {

using fake::peak;
using fake::renderFrames;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

class Music : public ::testing::Test {
 protected:
  void SetUp() override {
    music::state() = {};
    fake::writeSmallXm(xmFile);
  }
  void TearDown() override {
    FSOUND_Close();
    platform::sound::reportVersion(platform::sound::kLayerVersion);
  }

  fake::TempFolder folder;
  std::string xmFile = (folder / "tune.xm").string();
  std::string mp3File = (folder / "music.mp3").string();
};

TEST_F(Music, AnOlderLibraryIsReportedAndLeftUninitialised) {
  platform::sound::reportVersion(3.32f);
  CaptureStdout();
  music::startSoundSystem();
  EXPECT_EQ(GetCapturedStdout(), "Error : You are using the wrong DLL version!  You should be using FMOD 3.33\n");
  CaptureStdout();
  music::startModule(xmFile.c_str());
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(music::state().module, nullptr);
  EXPECT_EQ(FSOUND_GetError(), 2) << "the load failed because nothing was initialised";
}

TEST_F(Music, TheRightLibraryStartsSilently) {
  CaptureStdout();
  music::startSoundSystem();
  EXPECT_EQ(GetCapturedStdout(), "");
  music::startModule(xmFile.c_str());
  EXPECT_NE(music::state().module, nullptr);
}

TEST_F(Music, AFailedInitIsReportedByName) {
  fake::ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  CaptureStdout();
  music::startSoundSystem();
  EXPECT_EQ(GetCapturedStdout(), "Error!\nError initializing output device.\n");
}

TEST_F(Music, AStartedModulePlaysAudibly) {
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startModule(xmFile.c_str());
  ASSERT_NE(music::state().module, nullptr);
  EXPECT_GT(peak(renderFrames(4410)), 0.05f);
}

// Stereo width: the difference of the sides over their sum. A separation
// scales the difference between the sides and keeps their sum.
float width(const std::vector<float>& mix) {
  const float left = peak(mix, 0, 2);
  const float right = peak(mix, 1, 2);
  return (left - right) / (left + right);
}

// A MOD plays with a pan separation of 0.85: 85 % of its full stereo width.
TEST_F(Music, AModModuleIsPlayedWithLessStereo) {
  fake::writeSmallMod(folder / "tune.mod");
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startModule((folder / "tune.mod").c_str());
  FMUSIC_MODULE* module = music::state().module;
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FMUSIC_GetType(module), 1);
  const float started = width(renderFrames(4410));
  FMUSIC_SetPanSeperation(module, 1.0f);
  FMUSIC_PlaySong(module);
  const float full = width(renderFrames(4410));
  ASSERT_GT(full, 0.1f) << "the first channel plays on the left";
  EXPECT_NEAR(started / full, 0.85f, 0.02f);
}

// The printed report is the sound library's and names no file: the log
// names it, with the library's reason.
TEST_F(Music, AMissingModulePrintsNothingAndLogsTheFile) {
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  fake::LogCapture log;
  CaptureStdout();
  const std::string absent = (folder / "absent.xm").string();
  music::startModule(absent.c_str());
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(music::state().module, nullptr);
  EXPECT_NE(log.text().find("** Warning: music " + absent + " not played: File not found; the show goes on"),
            std::string::npos) << log.text();
}

TEST_F(Music, AMissingStreamPrintsTheErrorAndClosesTheLibrary) {
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  fake::LogCapture log;
  CaptureStdout();
  const std::string absent = (folder / "absent.mp3").string();
  music::startStream(absent.c_str());
  EXPECT_EQ(GetCapturedStdout(), "Error!\nFile not found\n");
  EXPECT_NE(log.text().find("music " + absent + " not played: File not found"), std::string::npos) << log.text();
  EXPECT_EQ(music::state().stream, nullptr);
  EXPECT_EQ(music::state().channel, -1);
  EXPECT_EQ(FMUSIC_LoadSong(xmFile.c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 2);
}

TEST_F(Music, ErrorNamesFollowTheLibrarysCodes) {
  EXPECT_STREQ(music::soundErrorName(0), "No errors");
  EXPECT_STREQ(music::soundErrorName(9), "File not found");
  EXPECT_STREQ(music::soundErrorName(12), "Not enough memory ");
  EXPECT_STREQ(music::soundErrorName(19), "Required Mediaplayer codec is not installed");
  EXPECT_STREQ(music::soundErrorName(25), "Unknown error");
  EXPECT_STREQ(music::soundErrorName(20), "Unknown error");
  EXPECT_STREQ(music::soundErrorName(-1), "Unknown error");
}

TEST_F(Music, TheStreamPlaysToItsEndAndSaysSoOnce) {
  fake::writeShortMp3(mp3File, 0.3);
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  CaptureStdout();
  music::startStream(mp3File.c_str());
  ASSERT_NE(music::state().channel, -1);
  ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(music::state().stream, std::chrono::seconds(10)));
  EXPECT_GT(peak(renderFrames(4410)), 0.2f);
  for (int block = 0; block < 100; ++block) renderFrames(4410);  // ten seconds: long past the end
  EXPECT_EQ(GetCapturedStdout(), "\nSTREAM ENDED!!\n");
}

TEST_F(Music, SynchPointsArePrintedWithTheirName) {
  CaptureStdout();
  EXPECT_EQ(music::streamCallback(nullptr, const_cast<char*>("chorus"), 6, 0), 1);
  EXPECT_EQ(GetCapturedStdout(), "\nSYNCHPOINT : \"chorus\"\n");
}

// Readings 0.1 s apart: the last one before the second is at 0.9 s, which
// sets (1 - 0.9) x 128 = 12.8, so 12 out of 255. Nothing is mixed during the
// fade, so the tune's first 0.2 s then sound 12/255 as loud as at full volume.
TEST_F(Music, TheFadeTakesOneSecondAndLowersTheTune) {
  const float full = peak(fake::mixedAlone([&] { music::startModule(xmFile.c_str()); }, 0.2));
  fake::FakeHost host;
  host.tickPerCall = 100;
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startModule(xmFile.c_str());
  shell::fadeOutModule();
  EXPECT_EQ(host.now, 1100u) << "ten readings up to the one that reached one second";
  ASSERT_GT(full, 0.1f);
  EXPECT_NEAR(peak(renderFrames(8820)) / full, 12.0f / 255.0f, 0.002f);
}

TEST_F(Music, WithoutATuneTheFadeStillTakesOneSecond) {
  fake::FakeHost host;
  host.tickPerCall = 7;
  CaptureStdout();
  shell::fadeOutModule();
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_GE(host.now, 1000u);
  EXPECT_LT(host.now, 1000u + 2 * 7);
}

// 10.2 ms into the show is frame 450 of the stream (449.82 rounded); the
// nearest millisecond would be frame 441. What a late start hears from there is
// what a start from 0 hears from that frame, sample for sample.
TEST_F(Music, JumpingToAMomentMovesTheStreamToThatMomentsFrame) {
  fake::writeShortMp3(mp3File, 0.5);
  const auto heard = [&](double from) {
    return fake::mixedAlone([&] {
      music::startStream(mp3File.c_str());
      if (from > 0.0) music::jumpTo(from);
    }, 0.2);
  };
  const std::vector<float> fromStart = heard(0.0);
  const std::vector<float> late = heard(0.0102);
  ASSERT_EQ(fromStart.size(), late.size());
  ASSERT_GT(peak(fromStart), 0.1f);
  const std::size_t compared = 2 * 4410;
  EXPECT_TRUE(std::equal(late.begin(), late.begin() + compared, fromStart.begin() + 2 * 450));
}

// Building the show again from the top after the end tune replaced the
// stream (as its event does): the tune goes and the stream, opened again
// from its file, is heard from its start. A stream that never opened is not
// tried again: its failure was said once.
TEST_F(Music, FromTheTopTheEndTuneGoesAndTheStreamStartsOver) {
  fake::writeShortMp3(mp3File, 0.5);
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startStream(mp3File.c_str());
  FSOUND_Stream_Close(music::state().stream);
  music::state().stream = nullptr;
  music::state().channel = -1;
  music::startModule(xmFile.c_str());
  music::state().tuneStart = 200.0f;
  music::playFromTheTop();
  EXPECT_EQ(music::state().module, nullptr);
  EXPECT_EQ(music::state().tuneStart, 0.0f);
  ASSERT_NE(music::state().channel, -1);
  ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(music::state().stream, std::chrono::seconds(10)));
  EXPECT_GT(peak(renderFrames(4410)), 0.2f);

  music::state() = {};
  CaptureStdout();
  music::startStream((folder / "absent.mp3").c_str());
  music::playFromTheTop();
  EXPECT_EQ(GetCapturedStdout(), "Error!\nFile not found\n");
}

TEST_F(Music, StoppingTheMusicSilencesEverythingAndClosesTheLibrary) {
  fake::writeShortMp3(mp3File, 1.0);
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startModule(xmFile.c_str());
  music::startStream(mp3File.c_str());
  music::stopMusic();
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f);
  EXPECT_EQ(FMUSIC_LoadSong(xmFile.c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 2);
}

}  // namespace
