// Pictures and sound encoded on the encoding thread: everything arrives in
// the order given, and a failure of the file reaches the caller's thread.
#include <gtest/gtest.h>

#include <filesystem>

#include "capture/encoding_thread.h"
#include "support/sound_files.h"
#include "support/video_probe.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::vector<std::uint8_t> flat(std::uint8_t blue) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4, 0);
  for (std::size_t at = 2; at < rgba.size(); at += 4) rgba[at] = blue;
  return rgba;
}

capture::VideoSettings settings() {
  capture::VideoSettings chosen;
  chosen.fps = 10;
  return chosen;
}

// Eight pictures, blue 20 * i, and 0.5 s of sound in ten blocks between them.
TEST(EncodingThread, WritesEverythingInOrder) {
  fake::TempFolder folder;
  const auto file = folder / "queued.mp4";
  {
    capture::VideoFile video(file.string(), settings());
    capture::EncodingThread encoder(video, 2);
    for (int i = 0; i < 10; ++i) {
      if (i < 8) encoder.addFrame(flat(static_cast<std::uint8_t>(20 * i)));
      encoder.addSound(std::vector<float>(2 * 2205, 0.25f));
    }
    encoder.close();
  }
  const fake::VideoProbe probe = fake::probeVideo(file, {3, 7});
  EXPECT_EQ(probe.frames, 8);
  ASSERT_EQ(probe.pictures.size(), 2u);
  EXPECT_NEAR(probe.pictures[0][(300 * kWidth + 400) * 3 + 2], 60, 3);
  EXPECT_NEAR(probe.pictures[1][(300 * kWidth + 400) * 3 + 2], 140, 3);
  EXPECT_GE(probe.sound.size(), 2u * 22050u);
}

// What the encoding thread meets reaches this thread as the capture's own
// failure, naming the file, and the file is gone: /dev/full refuses every
// write; the picture converter refuses a picture of the wrong size.
std::string failureOnTheEncodingThread(const std::filesystem::path& file, std::size_t pictureBytes) {
  std::string reason = "no failure";
  try {
    capture::VideoFile video(file.string(), settings());
    capture::EncodingThread encoder(video);
    std::vector<std::uint8_t> picture = flat(0);
    picture.resize(pictureBytes);
    for (int i = 0; i < 60; ++i) encoder.addFrame(picture);
    encoder.close();
  } catch (const capture::CaptureError& error) {
    EXPECT_EQ(error.file(), file.string());
    reason = error.reason();
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(file))) << file;
  return reason;
}

TEST(EncodingThread, ReportsWhatFailedAsTheCapturesFailure) {
  fake::TempFolder folder;
  const auto full = folder / "full.mkv";
  std::filesystem::create_symlink("/dev/full", full);
  const std::string noSpace = failureOnTheEncodingThread(full, kWidth * kHeight * 4);
  EXPECT_NE(noSpace.find("No space left on device"), std::string::npos) << noSpace;
  const std::string shortPicture = failureOnTheEncodingThread(folder / "short.mp4", kWidth * kHeight * 3);
  EXPECT_NE(shortPicture.find("width * height"), std::string::npos) << shortPicture;
}

}  // namespace
