// The module tune that replaces the music stream, over the real sound layer
// without a device.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "music/music.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"
#include "timeline/music_events.h"
#include "timeline_fixture.h"

namespace {

using fake::peak;
using fake::renderFrames;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

constexpr float kSwitch = 1.2345f;  // between the frames at 37/30 and 38/30 s

class MusicEvent : public fake::TimeLineFixture {
 protected:
  void SetUp() override {
    fake::TimeLineFixture::SetUp();
    music::state() = {};
    fake::writeShortMp3(mp3File, 5.0);
    fake::writeSmallXm(xmFile);
    ASSERT_TRUE(fake::startSoundWithoutDevice());
  }
  void TearDown() override {
    FSOUND_Close();
    music::state() = {};
    fake::TimeLineFixture::TearDown();
  }

  // The show's stream, audibly playing.
  void streamPlaying() {
    music::startStream(mp3File.c_str());
    ASSERT_NE(music::state().channel, -1);
    ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(music::state().stream, std::chrono::seconds(10)));
    ASSERT_GT(peak(renderFrames(4410)), 0.2f);
  }

  fake::TempFolder folder;
  std::string mp3File = (folder / "show.mp3").string();
  std::string xmFile = (folder / "finale.xm").string();
};

TEST_F(MusicEvent, AMissingTuneStopsTheStreamAndLeavesSilence) {
  streamPlaying();
  new EvtStartMusic(3.0f, (folder / "absent.xm").string());
  CaptureStdout();
  frameAt(3.0f);
  EXPECT_EQ(GetCapturedStdout(), "") << "a module that does not load says nothing";
  EXPECT_EQ(music::state().stream, nullptr);
  EXPECT_EQ(music::state().channel, -1);
  EXPECT_EQ(music::state().module, nullptr);
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f);
}

TEST_F(MusicEvent, TheTuneReplacesTheStream) {
  streamPlaying();
  FSOUND_STREAM* stream = music::state().stream;
  new EvtStartMusic(3.0f, xmFile);
  frameAt(3.0f);
  EXPECT_EQ(music::state().stream, nullptr);
  EXPECT_EQ(FSOUND_Stream_Close(stream), 0) << "the old stream was released";
  ASSERT_NE(music::state().module, nullptr);
  EXPECT_GT(peak(renderFrames(4410)), 0.05f);
  FMUSIC_StopSong(music::state().module);
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f) << "nothing else plays: the stream is gone";
}

TEST_F(MusicEvent, WithoutAStreamTheTuneStillStarts) {
  new EvtStartMusic(0.0f, xmFile);
  frameAt(0.0f);
  ASSERT_NE(music::state().module, nullptr);
  EXPECT_GT(peak(renderFrames(4410)), 0.05f);
}

// Mixed offline, as a capture does, at 30 frames per second: what was heard
// in each run.
std::vector<float> mixOffline(const std::string& mp3, const std::string* tune) {
  platform::sound::renderOffline(true);
  music::startStream(mp3.c_str());
  kst::TimeLine& line = kst::theTimeLine();
  if (tune != nullptr) new EvtStartMusic(kSwitch, *tune);
  line.rewind();
  for (int frame = 0; frame <= 45; ++frame) {
    const float t = static_cast<float>(frame) / 30.0f;
    line.update(t);
    platform::sound::mixUntil(t);
  }
  FSOUND_Stream_Close(music::state().stream);
  FMUSIC_StopSong(music::state().module);
  std::vector<float> heard = platform::sound::takeMixed();
  platform::sound::renderOffline(false);
  return heard;
}

// The tune takes over at the event's own sample, not at the frame that
// fires it (1.2667 s, 1426 samples later); before it the mix is the stream
// alone, whatever pace the decoder keeps.
TEST_F(MusicEvent, OfflineTheSwitchLandsOnTheEventsSample) {
  const std::vector<float> alone = mixOffline(mp3File, nullptr);
  const std::vector<float> switched = mixOffline(mp3File, &xmFile);
  ASSERT_EQ(alone.size(), 2u * 66150u);  // 1.5 s at 44100 Hz
  ASSERT_EQ(switched.size(), alone.size());
  // Past the encoder's lead-in every block sounds: nothing ran short.
  for (std::size_t block = 2; block < alone.size() / 2048; ++block)
    ASSERT_GT(peak(std::span(alone).subspan(block * 2048, 2048)), 0.2f) << "block " << block;
  const std::size_t eventSample = std::lround(static_cast<double>(kSwitch) * 44100.0);
  std::size_t firstDifference = 0;
  while (firstDifference < alone.size() && alone[firstDifference] == switched[firstDifference]) ++firstDifference;
  EXPECT_GE(firstDifference / 2, eventSample);
  EXPECT_LT(firstDifference / 2, eventSample + 1024);  // within one block of the mix
}

}  // namespace
