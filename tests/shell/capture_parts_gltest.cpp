// A capture cut into parts, captured one part at a time and joined, over
// the generated data set: lossless, the joined file decodes to the very
// frames and samples of a one-process capture, across the section change
// and the music change at 166.1 s; a part that is missing, damaged, half
// written or cut short is named with why, nothing is joined, and a run
// again captures those parts alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "platform/host.h"
#include "shell/part_join.h"
#include "support/headless_show.h"
#include "support/picture_files.h"
#include "support/video_probe.h"
#include "timeline/timeline.h"

namespace {

namespace fs = std::filesystem;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

class CaptureParts : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(SKYWARD_SHOWDATA_DIR) / "demo/Skyward.mp3")) GTEST_SKIP() << "no data set";
    previous_ = fs::current_path();
    fs::current_path(SKYWARD_SHOWDATA_DIR);
    folder_ = fake::freshFolder("capture_parts");
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
  }

  // Lossless, at 10 frames a second, loading during the show (the quicker start).
  shell::ShowOptions capture(const std::string& name, double start, float until) const {
    shell::ShowOptions options;
    options.preloadEverything = false;
    options.capture = folder_ + "/" + name;
    options.fps = 10;
    options.crf = 0;
    options.start = start;
    options.until = until;
    return options;
  }

  static int capturePart(shell::ShowOptions options, int part, int parts,
                         const shell::ShowPreparation& prepare = shell::prepareShow) {
    options.part = shell::CapturePart{part, parts};
    return fake::runHeadlessPart(options, prepare);
  }

  static int join(shell::ShowOptions options, int parts) {
    options.joinParts = parts;
    return shell::joinParts(options);
  }

  fs::path previous_;
  std::string folder_;
};

// Every show start costs most under the sanitizers: one cut there.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kCuts[] = {3};
#else
constexpr int kCuts[] = {2, 3, 7};
#endif

std::set<int> allFrames(int count) {
  std::set<int> frames;
  for (int frame = 0; frame < count; ++frame) frames.insert(frame);
  return frames;
}

// The first sample where two sounds part, or their common length when one
// is the other.
std::size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
  return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

// 165.5 to 167.5 s: the city's last half second, the finale's first
// second and a half, and the end tune from 166.1 s.
TEST_F(CaptureParts, JoinedLikeOneProcessFrameForFrameAndSampleForSample) {
  const shell::ShowOptions whole = capture("whole.mp4", 165.5, 167.5f);
  ASSERT_EQ(fake::runHeadlessShow(whole), 1);
  const fake::VideoProbe one = fake::probeVideo(*whole.capture, allFrames(20));
  ASSERT_EQ(one.frames, 20);
  // 2 s of stereo at 44100 Hz, and at most one encoder block (1024 frames) more.
  ASSERT_GE(one.sound.size(), 2u * 88200u);
  ASSERT_LE(one.sound.size(), 2u * (88200u + 1024u));
  for (int parts : kCuts) {
    const shell::ShowOptions cut = capture("cut-" + std::to_string(parts) + ".mp4", 165.5, 167.5f);
    for (int part = 1; part <= parts; ++part) ASSERT_EQ(capturePart(cut, part, parts), 1) << part << " of " << parts;
    ASSERT_EQ(join(cut, parts), 0);
    const fake::VideoProbe joined = fake::probeVideo(*cut.capture, allFrames(20));
    ASSERT_EQ(joined.frames, 20) << parts;
    for (std::size_t frame = 0; frame < one.pictures.size(); ++frame)
      EXPECT_TRUE(joined.pictures[frame] == one.pictures[frame]) << "frame " << frame << " in " << parts << " parts";
    EXPECT_EQ(joined.sound.size(), one.sound.size()) << parts;
    EXPECT_EQ(firstDifference(joined.sound, one.sound), one.sound.size()) << parts;
  }
}

// Quit once the frame at 0.2 s is drawn: part 2 keeps that one frame of its two.
class QuitAt : public kst::TimeLineEvent {
 public:
  explicit QuitAt(float time) : kst::TimeLineEvent(time) {}
  void fire(float) override { platform::host().postMessage({platform::MessageKind::Quit}); }
};

// Three parts of 0 to 0.6 s: part 1 whole, part 2 cut short by a quit,
// part 3 damaged after it was captured; a half-written file stands in for
// part 2. The join names both with why and writes nothing; the missing
// parts are 2 and 3; captured again, they join.
TEST_F(CaptureParts, AFailedPartIsNamedAndCapturedAgainAlone) {
  const shell::ShowOptions cut = capture("cut.mp4", 0.0, 0.6f);
  const shell::PartPlan plan(cut, 3);
  ASSERT_EQ(capturePart(cut, 1, 3), 1);
  const auto quitting = [](bool preloadChoice, shell::ShowClock& clock) {
    shell::prepareShow(preloadChoice, clock);
    kst::theTimeLine().timeOffset = 0.0f;
    new QuitAt(0.2f);
    kst::theTimeLine().rewind();
  };
  EXPECT_EQ(capturePart(cut, 2, 3, quitting), -1);
  EXPECT_FALSE(fs::exists(plan.file(2)));
  ASSERT_EQ(capturePart(cut, 3, 3), 1);
  fs::resize_file(plan.file(3), fs::file_size(plan.file(3)) / 2);
  fs::copy_file(plan.file(1), plan.unfinishedFile(2));

  CaptureStderr();
  EXPECT_EQ(join(cut, 3), -1);
  const std::string said = GetCapturedStderr();
  EXPECT_EQ(said.find("part 1 of 3"), std::string::npos) << said;
  EXPECT_NE(said.find("part 2 of 3 (" + plan.file(2) + "): cut short: holds 1 of 2 pictures"), std::string::npos) << said;
  EXPECT_NE(said.find("part 3 of 3 (" + plan.file(3) + "): does not read"), std::string::npos) << said;
  EXPECT_FALSE(fs::exists(*cut.capture));
  EXPECT_FALSE(fs::exists(plan.unfinishedOutput()));

  shell::ShowOptions missing = cut;
  missing.missingParts = 3;
  testing::internal::CaptureStdout();
  EXPECT_EQ(shell::listMissingParts(missing), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "2\n3\n");
  for (int part : {2, 3}) ASSERT_EQ(capturePart(cut, part, 3), 1);
  ASSERT_EQ(join(cut, 3), 0);
  EXPECT_EQ(fake::probeVideo(*cut.capture).frames, 6);
}

}  // namespace
