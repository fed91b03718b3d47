// Parts of a capture (pictures only, written as the program writes them)
// checked for whole, damaged or foreign, and joined under a sound handed
// in, read back the way a player would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "capture/joined_video.h"
#include "capture/part_check.h"
#include "capture/video_file.h"
#include "support/sound_files.h"
#include "support/video_probe.h"

namespace {

namespace fs = std::filesystem;

constexpr int kHeight = 48;
constexpr int kFps = 10;
constexpr std::size_t kFramesPerPicture = 4410;  // of sound, at 44100 Hz

// Lossless pictures alone, `count` of them, picture k a flat grey of
// 20 x (first + k), as the program's parts are written.
void writePart(const fs::path& file, int first, int count, const std::string& description, int width = 64) {
  capture::VideoSettings settings;
  settings.width = width;
  settings.height = kHeight;
  settings.fps = kFps;
  settings.crf = 0;
  settings.withSound = false;
  settings.comment = description;
  capture::VideoFile video(file.string(), settings);
  for (int k = first; k < first + count; ++k)
    video.addFrame(std::vector<std::uint8_t>(static_cast<std::size_t>(width) * kHeight * 4, static_cast<std::uint8_t>(20 * k)));
  video.close();
}

// The bytes just before the file's index (an MP4 keeps it after the
// pictures): the last picture's, scrambled.
void scrambleLastPicture(const fs::path& file) {
  std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(bytes)), std::istreambuf_iterator<char>());
  const std::size_t index = all.rfind("moov") - 4;
  bytes.seekp(static_cast<std::streamoff>(index - 24));
  for (int i = 0; i < 24; ++i) bytes.put(static_cast<char>(0x5A ^ (i * 37)));
}

TEST(PartCheck, TakesOnlyAWholePartMadeForItsPlace) {
  fake::TempFolder folder;
  const fs::path whole = folder / "whole.mp4", shorter = folder / "shorter.mp4", cut = folder / "cut.mp4",
                 scrambled = folder / "scrambled.mp4";
  writePart(whole, 0, 5, "frames 0 to 4");
  writePart(shorter, 0, 4, "frames 0 to 4");
  fs::copy_file(whole, cut);
  fs::resize_file(cut, fs::file_size(cut) / 2);
  fs::copy_file(whole, scrambled);
  scrambleLastPicture(scrambled);
  struct Case {
    fs::path file;
    std::string description;
    std::string fault;  // a piece of the reason; empty: whole
  };
  for (const Case& c : {Case{whole, "frames 0 to 4", ""}, Case{folder / "absent.mp4", "frames 0 to 4", "not there"},
                        Case{whole, "frames 5 to 9", "made for another capture (frames 0 to 4, where frames 5 to 9"},
                        Case{shorter, "frames 0 to 4", "holds 4 of 5 pictures"}, Case{cut, "frames 0 to 4", "does not read: "},
                        Case{scrambled, "frames 0 to 4", "its last picture does not decode"}}) {
    const std::optional<std::string> fault = capture::partFault(c.file.string(), c.description, 5);
    if (c.fault.empty()) {
      EXPECT_FALSE(fault) << c.file << ": " << *fault;
    } else {
      ASSERT_TRUE(fault) << c.file;
      EXPECT_NE(fault->find(c.fault), std::string::npos) << c.file << ": " << *fault;
    }
  }
}

// Two parts, 3 and 2 pictures: 5 pictures in order, each picture's sound
// asked for before it is written, the sound up to the last picture's end.
TEST(JoinedVideo, CopiesThePartsPicturesInOrderUnderTheSound) {
  fake::TempFolder folder;
  writePart(folder / "1.mp4", 0, 3, "first");
  writePart(folder / "2.mp4", 3, 2, "second");
  std::vector<std::int64_t> asked;
  capture::VideoSettings settings;
  settings.fps = kFps;
  capture::JoinedVideo video((folder / "joined.mp4").string(), settings, [&](std::int64_t pictures) {
    const std::int64_t from = asked.empty() ? 0 : asked.back();
    asked.push_back(pictures);
    return std::vector<float>(static_cast<std::size_t>(pictures - from) * kFramesPerPicture * 2, 0.25f);
  });
  video.addPart((folder / "1.mp4").string());
  video.addPart((folder / "2.mp4").string());
  video.close();
  EXPECT_EQ(asked, (std::vector<std::int64_t>{1, 2, 3, 4, 5, 5}));
  const fake::VideoProbe probe = fake::probeVideo(folder / "joined.mp4", {0, 1, 2, 3, 4});
  ASSERT_EQ(probe.frames, 5);
  for (int k = 0; k < 5; ++k) EXPECT_NEAR(probe.pictures[k][0], 20 * k, 2) << "picture " << k;
  EXPECT_GE(probe.sound.size(), 5 * kFramesPerPicture * 2);
  EXPECT_LE(probe.sound.size(), (5 * kFramesPerPicture + 1024) * 2);
}

TEST(JoinedVideo, RefusesAPartEncodedUnlikeTheFirstAndLeavesNoFile) {
  fake::TempFolder folder;
  writePart(folder / "1.mp4", 0, 2, "first");
  writePart(folder / "2.mp4", 2, 2, "second", 32);
  capture::VideoSettings settings;
  settings.fps = kFps;
  capture::JoinedVideo video((folder / "joined.mp4").string(), settings,
                             [](std::int64_t) { return std::vector<float>(); });
  video.addPart((folder / "1.mp4").string());
  try {
    video.addPart((folder / "2.mp4").string());
    FAIL() << "a part of another size was joined";
  } catch (const capture::CaptureError& error) {
    EXPECT_EQ(error.file(), (folder / "joined.mp4").string());
    EXPECT_NE(error.reason().find((folder / "2.mp4").string() + ": its pictures are encoded unlike"), std::string::npos)
        << error.reason();
  }
  EXPECT_FALSE(fs::exists(folder / "joined.mp4"));
}

}  // namespace
