// Captures of the show itself, over the generated data set, read back with
// libavformat as a player would: the pictures are the screen's, the sound
// is the tunes' own, sample for sample with the show time, from the start
// or from a later moment.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "music/music.h"
#include "support/headless_show.h"
#include "support/picture_files.h"
#include "support/sound_probe.h"
#include "support/video_probe.h"

namespace {

namespace fs = std::filesystem;

constexpr double kRate = 44100.0;
constexpr float kTuneChange = 166.1f;  // the end tune replaces the stream
constexpr const char* kStream = "demo\\Skyward.mp3";
constexpr const char* kEndTune = "demo\\_SKYWARD22.xm";

// Stereo samples from the start of a sound to `seconds` into it.
std::size_t samplesAt(double seconds) { return 2 * static_cast<std::size_t>(std::lround(seconds * kRate)); }

class CapturedShow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(SKYWARD_SHOWDATA_DIR) / "demo/Skyward.mp3")) GTEST_SKIP() << "no data set";
    previous_ = fs::current_path();
    fs::current_path(SKYWARD_SHOWDATA_DIR);
    folder_ = fake::freshFolder("captured_show");
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
    fs::remove_all(folder_);
  }

  // The program captures from `start` to `until` at 30 frames per second.
  fake::VideoProbe capture(float start, float until, const std::set<int>& pictures = {},
                           std::vector<shell::Screenshot> shots = {}) {
    shell::ShowOptions options;
    options.preloadEverything = false;
    options.capture = folder_ + "/show.mp4";
    options.fps = 30;
    options.start = start;
    options.until = until;
    options.screenshots = std::move(shots);
    EXPECT_EQ(fake::runHeadlessShow(options), 1);
    return fake::probeVideo(*options.capture, pictures);
  }

  static std::vector<float> alone(const char* tune, bool stream, double seconds) {
    return fake::mixedAlone([&] { stream ? music::startStream(tune) : music::startModule(tune); }, seconds);
  }

  fs::path previous_;
  std::string folder_;
};

// 0 to 3 s: 90 frames and 3 s of sound; its frame at 1.0 s (the 31st) is
// the screen at 1.0 s, but for the compression.
TEST_F(CapturedShow, HoldsTheFramesTheScreenShows) {
  const std::string shot = folder_ + "/at-1.png";
  const fake::VideoProbe video = capture(0.0f, 3.0f, {30}, {{1.0f, shot}});
  EXPECT_EQ(video.frames, 90);
  EXPECT_NEAR(static_cast<double>(video.sound.size()), samplesAt(3.0), 2 * 1024.0);
  ASSERT_EQ(video.pictures.size(), 1u);
  const fake::Picture screen = fake::readPicture(shot);
  const fake::Picture captured{800, 600, 3, video.pictures[0]};
  EXPECT_LT(fake::meanDifference(screen, captured), 2.0);
  EXPECT_GT(fake::meanDifference(screen, fake::Picture{800, 600, 3, std::vector<std::uint8_t>(800 * 600 * 3)}), 2.0)
      << "a frame with something on it";
}

// From 165 s: the stream from that moment, then the end tune from its
// first sample at 166.1 s, not a block later.
TEST_F(CapturedShow, HearsTheStreamThenTheEndTuneFromTheEventsOwnTime) {
  const fake::VideoProbe video = capture(165.0f, 167.0f);
  const std::vector<float> stream = alone(kStream, true, kTuneChange);
  const std::vector<float> tune = alone(kEndTune, false, 1.0);
  const std::size_t change = samplesAt(static_cast<double>(kTuneChange) - 165.0);
  EXPECT_GT(fake::correlation(video.sound, samplesAt(0.05), stream, samplesAt(165.05), samplesAt(1.0)), 0.99);
  EXPECT_GT(fake::correlation(video.sound, change + samplesAt(0.05), tune, samplesAt(0.05), samplesAt(0.8)), 0.99);
  // One block (1024 frames) early or late, the tune no longer lines up.
  for (std::size_t off : {change - 2048, change + 2048})
    EXPECT_LT(fake::correlation(video.sound, off + samplesAt(0.05), tune, samplesAt(0.05), samplesAt(0.8)), 0.9);
}

// From 200 s, the end tune as far in as it has played since 166.1 s.
TEST_F(CapturedShow, StartingLateHearsTheTuneOfThatMoment) {
  const fake::VideoProbe video = capture(200.0f, 201.0f);
  EXPECT_EQ(video.frames, 30);
  const double into = 200.0 - static_cast<double>(kTuneChange);
  const std::vector<float> tune = alone(kEndTune, false, into + 1.0);
  EXPECT_GT(fake::correlation(video.sound, samplesAt(0.05), tune, samplesAt(into + 0.05), samplesAt(0.9)), 0.99);
}

}  // namespace
