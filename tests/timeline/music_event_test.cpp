// The module tune that replaces the music stream, over the real sound layer
// without a device.
#include <gtest/gtest.h>

#include <chrono>

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

}  // namespace
