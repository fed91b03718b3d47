// The MP3 stream through the sound layer: decoded ahead, mixed, ended once.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "platform/fmod.h"
#include "platform/sound_seam.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"

namespace {

using fake::peak;
using fake::renderFrames;
using namespace std::chrono_literals;

constexpr double kSeconds = 0.5;

// What the callbacks saw: the number of ends, and synch point names.
struct Heard {
  std::atomic<int> ends{0};
  std::mutex mutex;
  std::vector<std::string> synchPoints;
};
Heard* heard = nullptr;

signed char listen(FSOUND_STREAM*, void* text, int, int) {
  if (text == nullptr) {
    ++heard->ends;
  } else {
    std::lock_guard lock(heard->mutex);
    heard->synchPoints.emplace_back(static_cast<const char*>(text));
  }
  return 1;
}

class SoundStream : public ::testing::Test {
 protected:
  void SetUp() override {
    heard = &record;
    fake::writeShortMp3(mp3File, kSeconds);
    ASSERT_TRUE(fake::startSoundWithoutDevice());
  }
  void TearDown() override {
    FSOUND_Close();
    heard = nullptr;
  }

  // Opened, callbacks set, playing, and given time to decode ahead.
  FSOUND_STREAM* play() {
    FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(mp3File.c_str(), 0x2B, 0);
    EXPECT_NE(stream, nullptr);
    FSOUND_Stream_SetEndCallback(stream, &listen, 0);
    FSOUND_Stream_SetSynchCallback(stream, &listen, 0);
    channel = FSOUND_Stream_Play(FSOUND_FREE, stream);
    EXPECT_NE(channel, -1);
    EXPECT_TRUE(platform::sound::waitUntilDecodedAhead(stream, 10s));
    return stream;
  }

  // Frames rendered until the end was heard (a bounded wait).
  std::size_t renderToTheEnd(std::vector<float>* all = nullptr) {
    std::size_t frames = 0;
    for (int block = 0; block < 400 && record.ends == 0; ++block) {
      const std::vector<float> mix = renderFrames(441);
      if (all) all->insert(all->end(), mix.begin(), mix.end());
      frames += 441;
    }
    return frames;
  }

  Heard record;
  fake::TempFolder folder;
  std::string mp3File = (folder / "music.mp3").string();
  int channel = -1;
};

TEST_F(SoundStream, PlaysTheWholeFileThenEndsExactlyOnce) {
  play();
  std::vector<float> mix;
  const std::size_t frames = renderToTheEnd(&mix);
  EXPECT_EQ(record.ends, 1);
  const auto wanted = static_cast<std::size_t>(kSeconds * 44100);
  EXPECT_GE(frames, wanted) << "the end came early";
  EXPECT_LE(frames, wanted + 6000) << "more than the file's padding was played";
  EXPECT_GT(peak(std::span(mix).subspan(0, 8820)), 0.2f) << "the tone plays from the start";
  EXPECT_EQ(peak(renderFrames(4410)), 0.0f);
  EXPECT_EQ(record.ends, 1);
}

// A file at another rate, in mono, plays for its own length at the mix rate
// and sounds on both sides.
TEST_F(SoundStream, OtherRatesAndMonoAreConvertedToTheMix) {
  fake::writeShortMp3(mp3File, kSeconds, 22050, 1);
  play();
  std::vector<float> mix;
  const std::size_t frames = renderToTheEnd(&mix);
  EXPECT_EQ(record.ends, 1);
  const auto wanted = static_cast<std::size_t>(kSeconds * 44100);
  EXPECT_GE(frames, wanted);
  EXPECT_LE(frames, wanted + 6000);
  const std::span<const float> start = std::span(mix).subspan(0, 8820);
  EXPECT_GT(peak(start, 0, 2), 0.2f);
  EXPECT_GT(peak(start, 1, 2), 0.2f);
}

// Held, the mix is silent and the stream keeps its place: all of it is
// still heard after.
TEST_F(SoundStream, HoldingSilencesTheMixWithoutMovingOn) {
  play();
  platform::sound::holdMix(true);
  EXPECT_EQ(peak(renderFrames(11025)), 0.0f);
  platform::sound::holdMix(false);
  const std::size_t frames = renderToTheEnd();
  EXPECT_GE(frames, static_cast<std::size_t>(kSeconds * 44100));
}

// From 300 ms the stream plays its last 200 ms, passing over the synch
// point before; past its end it ends at once, exactly once.
TEST_F(SoundStream, SettingTheTimePlaysOnFromThere) {
  FSOUND_STREAM* stream = play();
  ASSERT_TRUE(platform::sound::addSynchPoint(stream, 2000, "before"));
  ASSERT_TRUE(platform::sound::addSynchPoint(stream, 15000, "after"));
  ASSERT_TRUE(FSOUND_Stream_SetTime(stream, 300));
  ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(stream, 10s));
  std::vector<float> mix;
  const std::size_t frames = renderToTheEnd(&mix);
  EXPECT_GE(frames, 8820u);
  EXPECT_LE(frames, 8820u + 6000u);
  EXPECT_GT(peak(std::span(mix).subspan(0, 882)), 0.2f) << "the tone at once";
  EXPECT_EQ(record.synchPoints, std::vector<std::string>{"after"});
  EXPECT_EQ(record.ends, 1);
  FSOUND_STREAM* again = play();
  ASSERT_TRUE(FSOUND_Stream_SetTime(again, 5000));
  ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(again, 10s));
  renderFrames(441);
  EXPECT_EQ(record.ends, 2);
  EXPECT_FALSE(FSOUND_Stream_SetTime(again, -1));
}

TEST_F(SoundStream, ClosingStopsItAtOnceWithoutAnEnd) {
  FSOUND_STREAM* stream = play();
  EXPECT_GT(peak(renderFrames(2205)), 0.2f);
  ASSERT_TRUE(FSOUND_Stream_Close(stream));
  EXPECT_EQ(peak(renderFrames(441)), 0.0f);
  EXPECT_EQ(record.ends, 0);
  EXPECT_FALSE(FSOUND_Stream_Close(stream)) << "a closed stream is gone";
}

TEST_F(SoundStream, SynchPointsAreReportedByNameWhenPassed) {
  FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(mp3File.c_str(), 0x2B, 0);
  ASSERT_TRUE(platform::sound::addSynchPoint(stream, 10000, "second"));
  ASSERT_TRUE(platform::sound::addSynchPoint(stream, 2000, "first"));
  FSOUND_Stream_SetSynchCallback(stream, &listen, 0);
  FSOUND_Stream_Play(FSOUND_FREE, stream);
  ASSERT_TRUE(platform::sound::waitUntilDecodedAhead(stream, 10s));
  renderFrames(1000);
  EXPECT_TRUE(record.synchPoints.empty());
  renderFrames(1500);
  EXPECT_EQ(record.synchPoints, std::vector<std::string>{"first"});
  renderFrames(22050);
  EXPECT_EQ(record.synchPoints, (std::vector<std::string>{"first", "second"}));
}

TEST_F(SoundStream, StereoPanKeepsBothSidesAndANumberPansToOneSide) {
  play();
  ASSERT_TRUE(FSOUND_SetPan(channel, FSOUND_STEREOPAN));
  std::vector<float> mix = renderFrames(4410);
  EXPECT_GT(peak(mix, 0, 2), 0.2f);
  EXPECT_GT(peak(mix, 1, 2), 0.2f);
  ASSERT_TRUE(FSOUND_SetPan(channel, 0));
  mix = renderFrames(4410);
  EXPECT_GT(peak(mix, 0, 2), 0.2f);
  EXPECT_EQ(peak(mix, 1, 2), 0.0f);
}

TEST_F(SoundStream, TwoStreamsGetDifferentChannels) {
  play();
  const int first = channel;
  play();
  EXPECT_NE(channel, first);
}

TEST_F(SoundStream, FilesThatAreMissingOrNotMp3FailWithTheirCodes) {
  EXPECT_EQ(FSOUND_Stream_OpenFile((folder / "absent.mp3").c_str(), 0x2B, 0), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 9);
  std::ofstream(folder / "notes.txt") << "plain words, no frames of sound in here at all\n";
  EXPECT_EQ(FSOUND_Stream_OpenFile((folder / "notes.txt").c_str(), 0x2B, 0), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 10);
  fake::writeSmallXm(folder / "tune.xm");
  EXPECT_EQ(FSOUND_Stream_OpenFile((folder / "tune.xm").c_str(), 0x2B, 0), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 10);
}

TEST_F(SoundStream, ClosingTheLibraryEndsAPlayingStream) {
  FSOUND_STREAM* stream = play();
  FSOUND_Close();
  EXPECT_EQ(peak(renderFrames(441)), 0.0f);
  EXPECT_FALSE(FSOUND_Stream_Close(stream));
  EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, stream), -1);
  EXPECT_EQ(record.ends, 0);
}

}  // namespace
