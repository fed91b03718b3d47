// Capture files written through FFmpeg and read back the way a player would.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <numbers>

extern "C" {
#include <libavutil/mem.h>
}

#include "capture/video_file.h"
#include "support/sound_files.h"
#include "support/video_probe.h"

namespace {

using capture::CaptureError;
using capture::VideoFile;
using capture::VideoSettings;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// GL's order: the first 300 rows are the bottom half (red), the rest blue;
// each pixel red first, or blue first.
std::vector<std::uint8_t> redBelowBlue(bool blueFirst = false) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4, 255);
  const std::size_t red = blueFirst ? 2 : 0, blue = 2 - red;
  for (std::size_t pixel = 0; pixel < pixels.size() / 4; ++pixel) {
    const bool bottom = pixel / kWidth < kHeight / 2;
    pixels[pixel * 4 + red] = bottom ? 255 : 0;
    pixels[pixel * 4 + blue] = bottom ? 0 : 255;
    pixels[pixel * 4 + 1] = 0;
  }
  return pixels;
}

// A 440 Hz tone at half of full scale, the same on both sides.
std::vector<float> tone(int frames, int from) {
  std::vector<float> stereo;
  for (int i = from; i < from + frames; ++i) {
    const float value = 0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * i / 44100.0));
    stereo.insert(stereo.end(), {value, value});
  }
  return stereo;
}

double rms(const std::vector<float>& stereo, int fromFrame, int toFrame) {
  double sum = 0.0;
  for (int i = fromFrame * 2; i < toFrame * 2; ++i) sum += double{stereo[i]} * stereo[i];
  return std::sqrt(sum / ((toFrame - fromFrame) * 2));
}

void expectColour(const std::vector<std::uint8_t>& rgb, int row, int red, int blue) {
  const std::size_t at = (static_cast<std::size_t>(row) * kWidth + kWidth / 2) * 3;
  EXPECT_NEAR(rgb[at], red, 8) << "row " << row;
  EXPECT_NEAR(rgb[at + 1], 0, 8) << "row " << row;
  EXPECT_NEAR(rgb[at + 2], blue, 8) << "row " << row;
}

class VideoFileTest : public ::testing::TestWithParam<const char*> {
 protected:
  VideoSettings settings() const {
    VideoSettings chosen;
    chosen.fps = 10;
    return chosen;
  }
  fake::TempFolder folder;
};

// 12 pictures at 10 per second and 0.6 s of sound: 0.3 s given as floats,
// 0.3 s as 16-bit samples, which must come out equally loud.
TEST_P(VideoFileTest, HoldsUprightPicturesAndTheWholeSound) {
  const auto file = folder / (std::string("shot") + GetParam());
  {
    VideoFile video(file.string(), settings());
    const std::vector<std::uint8_t> picture = redBelowBlue();
    for (int frame = 0; frame < 12; ++frame) video.addFrame(picture);
    video.addSound(tone(13230, 0));
    std::vector<std::int16_t> shorts;
    for (float value : tone(13230, 13230)) shorts.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0f)));
    video.addSound(shorts);
    video.close();
  }
  const fake::VideoProbe probe = fake::probeVideo(file, {6});
  EXPECT_EQ(probe.videoCodec, "h264");
  EXPECT_EQ(probe.pixelFormat, "yuv420p");
  EXPECT_EQ(probe.width, kWidth);
  EXPECT_EQ(probe.height, kHeight);
  EXPECT_EQ(probe.frames, 12);
  EXPECT_EQ(probe.soundCodec, "aac");
  EXPECT_EQ(probe.sampleRate, 44100);
  EXPECT_EQ(probe.channels, 2);
  const int decoded = static_cast<int>(probe.sound.size() / 2);
  // Nothing lost; at most the encoder's delay (which Matroska keeps) and a
  // padded last frame added.
  EXPECT_GE(decoded, 26460);
  EXPECT_LE(decoded, 26460 + 2048);
  const double toneRms = 0.5 / std::sqrt(2.0);
  EXPECT_NEAR(rms(probe.sound, 2205, 11025), toneRms, 0.03);
  EXPECT_NEAR(rms(probe.sound, 15435, 24255), toneRms, 0.03);
  ASSERT_EQ(probe.pictures.size(), 1u);
  expectColour(probe.pictures[0], 10, 0, 255);
  expectColour(probe.pictures[0], kHeight - 10, 255, 0);
}

// Pictures handed in blue first, as the software driver keeps them.
TEST_P(VideoFileTest, PicturesGivenBlueFirstKeepTheirColours) {
  const auto file = folder / (std::string("blue-first") + GetParam());
  VideoSettings blueFirst = settings();
  blueFirst.blueFirst = true;
  {
    VideoFile video(file.string(), blueFirst);
    for (int frame = 0; frame < 3; ++frame) video.addFrame(redBelowBlue(true));
    video.close();
  }
  const fake::VideoProbe probe = fake::probeVideo(file, {1});
  ASSERT_EQ(probe.pictures.size(), 1u);
  expectColour(probe.pictures[0], 10, 0, 255);
  expectColour(probe.pictures[0], kHeight - 10, 255, 0);
}

// Left without close(), as when the show fails: the trailer is still written.
TEST_P(VideoFileTest, DestroyedUnclosedStillPlays) {
  const auto file = folder / (std::string("cut") + GetParam());
  {
    VideoFile video(file.string(), settings());
    for (int frame = 0; frame < 3; ++frame) video.addFrame(redBelowBlue());
    video.addSound(tone(4410, 0));
  }
  EXPECT_EQ(fake::probeVideo(file).frames, 3);
}

INSTANTIATE_TEST_SUITE_P(Containers, VideoFileTest, ::testing::Values(".mp4", ".mkv"));

std::string failureOf(const std::filesystem::path& file, const VideoSettings& settings) {
  try {
    VideoFile video(file.string(), settings);
    video.close();
  } catch (const CaptureError& error) {
    EXPECT_EQ(error.file(), file.string());
    EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos);
    return error.reason();
  }
  return "no failure";
}

TEST(VideoFileFailures, NameTheFileAndTheReasonAndLeaveNoFile) {
  fake::TempFolder folder;
  const VideoSettings settings;
  const auto missing = folder / "no-such-folder" / "show.mp4";
  EXPECT_NE(failureOf(missing, settings).find("No such file or directory"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));

  EXPECT_NE(failureOf(folder / "show.avi", settings).find(".mp4 or .mkv"), std::string::npos);

  VideoSettings odd = settings;
  odd.videoEncoder = "no-such-encoder";
  EXPECT_NE(failureOf(folder / "odd.mp4", odd).find("no-such-encoder"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "odd.mp4"));
}

// Too little memory for a picture's buffers: the picture track fails after
// its converter is made, and the capture says so, leaves no file and keeps
// none of what the track had (which the leak checker would see).
TEST(VideoFileFailures, ATrackShortOfMemoryFailsAndLetsGoOfWhatItHad) {
  fake::TempFolder folder;
  const auto file = folder / "tight.mp4";
  av_max_alloc(500000);  // a 800 x 600 picture takes about 720,000 bytes
  const std::string reason = failureOf(file, VideoSettings());
  av_max_alloc(INT_MAX);
  EXPECT_EQ(reason, "out of memory");
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
