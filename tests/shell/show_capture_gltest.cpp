// Captures of the program and of a show with sound, read back with
// libavformat as a player would.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <utility>

#include "music/music.h"
#include "platform/fmod.h"
#include "platform/host.h"
#include "platform/sound_seam.h"
#include "render/gl_table.h"
#include "shell/show_capture.h"
#include "support/headless_show.h"
#include "support/shared_device.h"
#include "support/show_folder.h"
#include "support/sound_files.h"
#include "support/sound_probe.h"
#include "support/video_probe.h"
#include "timeline/timeline.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

shell::ShowOptions captureTo(const std::filesystem::path& file, float until) {
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.capture = file.string();
  options.until = until;
  return options;
}

// 0 to 3 s at 30 frames per second, and 0 to 0.25 s at the capture's own 60.
TEST(ProgramCapture, HoldsEveryFrameBeforeTheEndAndTheSoundUpToIt) {
  fake::ShowFolder folder;  // the program plays in a folder with the show's data
  shell::ShowOptions options = captureTo(folder / "show.mp4", 3.0f);
  options.fps = 30;
  EXPECT_EQ(fake::runHeadlessShow(options), 1);
  const fake::VideoProbe probe = fake::probeVideo(folder / "show.mp4");
  EXPECT_EQ(probe.frames, 90);
  EXPECT_EQ(probe.width, 800);
  EXPECT_EQ(probe.height, 600);
  EXPECT_GE(probe.sound.size() / 2, 132300u);
  EXPECT_LE(probe.sound.size() / 2, 132300u + 1024u);

  EXPECT_EQ(fake::runHeadlessShow(captureTo(folder / "short.mkv", 0.25f)), 1);
  EXPECT_EQ(fake::probeVideo(folder / "short.mkv").frames, 15);
}

// The quit message, as the window sends it when the show is closed.
class QuitAt : public kst::TimeLineEvent {
 public:
  explicit QuitAt(float time) : kst::TimeLineEvent(time) {}
  void fire(float) override { platform::host().postMessage({platform::MessageKind::Quit}); }
};

// Quit once the frame at 1 s is drawn: the show ends normally and the file
// plays, holding the 31 frames drawn (0 to 1 s at 30 a second) and their
// sound, up to the end of the last one.
TEST(ProgramCapture, QuitPartWayEndsWithAPlayableFileOfTheFramesDrawn) {
  fake::ShowFolder folder;
  shell::ShowOptions options = captureTo(folder / "cut.mp4", 3.0f);
  options.fps = 30;
  EXPECT_EQ(fake::runHeadlessShow(options,
                                  [](bool preloadChoice, shell::ShowClock& clock) {
                                    shell::prepareShow(preloadChoice, clock);
                                    kst::theTimeLine().timeOffset = 0.0f;
                                    new QuitAt(1.0f);
                                    kst::theTimeLine().rewind();
                                  }),
            1);
  const fake::VideoProbe probe = fake::probeVideo(folder / "cut.mp4");
  EXPECT_EQ(probe.frames, 31);
  EXPECT_GE(probe.sound.size() / 2, 31u * 1470u);
  EXPECT_LE(probe.sound.size() / 2, 31u * 1470u + 1024u);
}

// Runs `fault` as the frame at `time` is drawn.
class FaultAt : public kst::TimeLineEvent {
 public:
  FaultAt(float time, void (*fault)()) : kst::TimeLineEvent(time), fault_(fault) {}
  void fire(float) override { fault_(); }

 private:
  void (*fault_)();
};

// The driver's own, while a case puts one that maps nothing in its place.
decltype(gl.glMapBufferARB) driversMap = nullptr;

void mapNothing() {
  driversMap = gl.glMapBufferARB;
  gl.glMapBufferARB = [](GLenum, GLenum) -> void* { return nullptr; };
}

// Whatever stops a capture part-way (a frame the driver cannot hand back,
// memory running out, any other failure thrown meanwhile) ends the program
// in order: exit -1, the file removed, the file and the reason said.
TEST(ProgramCapture, AFailurePartWayRemovesTheFileAndSaysWhy) {
  struct Case {
    const char* file;
    void (*fault)();
    const char* reason;
  };
  const Case cases[] = {
      {"unmapped.mp4", mapNothing, "the driver could not map a read-back frame"},
      {"memory.mkv", [] { throw std::bad_alloc(); }, "out of memory"},
      {"thrown.mp4", [] { throw std::runtime_error("a sound block went astray"); }, "a sound block went astray"},
  };
  fake::ShowFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    shell::ShowOptions options = captureTo(folder / c.file, 2.0f);
    options.fps = 30;
    CaptureStderr();
    const int result = fake::runHeadlessShow(options, [&c](bool preloadChoice, shell::ShowClock& clock) {
      shell::prepareShow(preloadChoice, clock);
      kst::theTimeLine().timeOffset = 0.0f;
      new FaultAt(0.5f, c.fault);
      kst::theTimeLine().rewind();
    });
    const std::string said = GetCapturedStderr();
    if (driversMap != nullptr) gl.glMapBufferARB = std::exchange(driversMap, nullptr);
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(std::filesystem::exists(folder / c.file));
    EXPECT_NE(said.find("cannot capture to " + (folder / c.file).string() + ": " + c.reason), std::string::npos)
        << said;
  }
}

TEST(ProgramCapture, IntoAMissingFolderFailsWithTheFileAndTheReason) {
  fake::ShowFolder folder;  // the program plays in a folder with the show's data
  const auto file = folder / "absent" / "show.mp4";
  CaptureStderr();
  EXPECT_EQ(fake::runHeadlessShow(captureTo(file, 1.0f)), -1);
  const std::string said = GetCapturedStderr();
  EXPECT_NE(said.find(file.string()), std::string::npos) << said;
  EXPECT_NE(said.find("No such file or directory"), std::string::npos) << said;
  EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

// Frame k is cleared to blue 8k; the stream plays from the show's start.
TEST(ShowCaptureSound, FollowsTheStreamAndThePicturesInOrder) {
  ASSERT_TRUE(fake::sharedRenderDevice("Skyward capture test", 800, 600));
  fake::TempFolder folder;
  const std::string mp3 = (folder / "show.mp3").string();
  fake::writeShortMp3(mp3, 1.5);
  {
    shell::ShowCapture capture((folder / "show.mp4").string(), 30, 18, 0.0f, 1.0f);
    ASSERT_TRUE(fake::startSoundWithoutDevice());
    music::startStream(mp3.c_str());
    for (int frame = 0; capture.wants(static_cast<float>(frame) / 30.0f); ++frame) {
      gl.glClearColor(0.0f, 0.0f, static_cast<float>(frame * 8) / 255.0f, 1.0f);
      gl.glClear(GL_COLOR_BUFFER_BIT);
      capture.frameDrawn(static_cast<float>(frame) / 30.0f);
    }
    capture.finish();
    FSOUND_Close();
  }
  const fake::VideoProbe probe = fake::probeVideo(folder / "show.mp4", {15});
  EXPECT_EQ(probe.frames, 30);
  ASSERT_EQ(probe.pictures.size(), 1u);
  EXPECT_NEAR(probe.pictures[0][(300 * 800 + 400) * 3 + 2], 120, 3);
  const std::vector<float> alone = fake::mixedAlone([&] { music::startStream(mp3.c_str()); }, 1.0);
  ASSERT_GE(probe.sound.size(), alone.size());
  EXPECT_GT(fake::correlation(probe.sound, 2 * 4410, alone, 2 * 4410, 2 * 35280), 0.99);
}

}  // namespace
