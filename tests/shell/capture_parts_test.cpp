// A capture cut into parts: the frames each part holds, where the parts
// live, the lines they tell their job runner, and the follower that keeps
// why a part failed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "shell/capture_parts.h"
#include "shell/part_report.h"
#include "shell/parts_follower.h"
#include "support/sound_files.h"

namespace {

shell::ShowOptions capture(double start, float until, int fps, const std::string& file = "out/skyward.mp4") {
  shell::ShowOptions options;
  options.capture = file;
  options.start = start;
  options.until = until;
  options.fps = fps;
  return options;
}

// Every frame once, in parts a frame apart at most, and each part, played
// on its own from its start to its end, draws its frames at the times the
// whole capture gives them.
TEST(PartPlan, CutsTheFramesOnceOnTheGridKeepingTheirTimes) {
  struct Case {
    double start;
    float until;
    int fps;
    int parts;
    std::uint64_t frames;  // by hand: (until - start) x fps, the frame at until itself left out
  };
  for (const Case& c : {Case{165.0, 167.0f, 10, 7, 20}, Case{0.0, 245.0f, 60, 10, 14700}, Case{192.1, 193.0f, 10, 2, 9},
                        Case{0.0, 0.25f, 60, 15, 15}, Case{166.1, 166.35f, 10, 3, 3}}) {
    const shell::PartPlan plan(capture(c.start, c.until, c.fps), c.parts);
    ASSERT_EQ(plan.frames(), c.frames) << c.start;
    const shell::ShowClock whole(c.fps, c.start);
    std::uint64_t next = 0;
    for (int part = 1; part <= c.parts; ++part) {
      EXPECT_EQ(plan.firstFrame(part), next);
      EXPECT_GE(plan.framesOf(part), c.frames / c.parts);
      EXPECT_LE(plan.framesOf(part), c.frames / c.parts + 1);
      const shell::ShowOptions alone = plan.partOptions(part);
      const shell::ShowClock own(c.fps, alone.start);
      ASSERT_EQ(own.framesBefore(*alone.until), plan.framesOf(part)) << c.start << " part " << part;
      for (std::uint64_t frame = 0; frame < plan.framesOf(part); ++frame)
        ASSERT_EQ(own.frameTime(frame), whole.frameTime(next + frame)) << c.start << " part " << part;
      next += plan.framesOf(part);
    }
    EXPECT_EQ(next, c.frames);
  }
}

TEST(PartPlan, RefusesACutThatCannotBeMade) {
  EXPECT_THROW(shell::PartPlan(capture(0.05, 1.0f, 10), 2), std::invalid_argument);  // between two frames
  EXPECT_THROW(shell::PartPlan(capture(0.0, 0.3f, 10), 4), std::invalid_argument);   // 3 frames
  EXPECT_THROW(shell::PartPlan(capture(0.0, 1.0f, 10), 0), std::invalid_argument);
}

TEST(PartPlan, KeepsThePartsBesideTheCapture) {
  const shell::PartPlan plan(capture(0.0, 245.0f, 60, "out/show.mkv"), 10);
  EXPECT_EQ(plan.file(3), "out/show.parts/part-3-of-10.mp4");
  EXPECT_EQ(plan.unfinishedFile(3), "out/show.parts/part-3-of-10.unfinished.mp4");
  EXPECT_EQ(plan.failureNote(3), "out/show.parts/part-3-of-10.failed");
  EXPECT_EQ(plan.unfinishedOutput(), "out/show.unfinished.mkv");
  // Frames 2940 to 4409 (14700 x 2 / 10 up to 14700 x 3 / 10, less one).
  EXPECT_EQ(plan.description(3), "frames 2940 to 4409 at 60 a second, crf 18");
}

TEST(PartReport, ReadsBackWhatItWritesAndNothingElse) {
  using Kind = shell::PartReport::Kind;
  for (const shell::PartReport& report : {shell::PartReport{3, 10, Kind::Progress, 120, 1225, {}},
                                          shell::PartReport{10, 10, Kind::Captured, 0, 0, {}},
                                          shell::PartReport{1, 2, Kind::Failed, 0, 0, "cannot capture: No space left"}}) {
    const std::optional<shell::PartReport> read = shell::PartReport::read(report.line());
    ASSERT_TRUE(read) << report.line();
    EXPECT_EQ(read->line(), report.line());
  }
  const shell::PartReport progress{3, 10, Kind::Progress, 120, 1225, {}};
  EXPECT_EQ(progress.line(), "skyward part 3 of 10: 120 of 1225 frames");
  for (const char* other : {"STREAM ENDED!!", "skyward part 3 of 10: 120 frames", "skyward part x of 10: captured"})
    EXPECT_FALSE(shell::PartReport::read(other)) << other;
}

// Part 1 is captured and here, part 2 reports and goes silent (killed),
// part 3 says why it failed, part 4 never starts, part 5 is captured and
// never brought here: the notes say so for 2, 3 and 5 only.
TEST(PartsFollower, KeepsWhyEachPartFailedWhereverItRan) {
  fake::TempFolder folder;
  const shell::PartPlan plan(capture(0.0, 0.5f, 10, (folder / "show.mp4").string()), 5);
  std::filesystem::create_directories(plan.folder());
  shell::notePartFailure(plan, 1, "an earlier try");
  shell::PartsFollower follower(plan, nullptr);
  for (const char* line : {"skyward part 1 of 5: 1 of 1 frames", "skyward part 2 of 5: 0 of 1 frames", "SYNCHPOINT",
                           "skyward part 1 of 5: captured", "skyward part 3 of 5: failed: No space left on device",
                           "skyward part 5 of 5: captured"})
    follower.take(line);
  std::ofstream(plan.file(1)) << "brought back";
  follower.finish();
  EXPECT_FALSE(shell::partFailure(plan, 1));
  ASSERT_TRUE(shell::partFailure(plan, 2));
  EXPECT_NE(shell::partFailure(plan, 2)->find("killed"), std::string::npos);
  EXPECT_EQ(shell::partFailure(plan, 3), "No space left on device");
  EXPECT_FALSE(shell::partFailure(plan, 4));
  ASSERT_TRUE(shell::partFailure(plan, 5));
  EXPECT_NE(shell::partFailure(plan, 5)->find("never brought here"), std::string::npos);
}

}  // namespace
