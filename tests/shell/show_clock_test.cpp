#include "shell/show_clock.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"

namespace {

TEST(ElapsedSeconds, PlainDifferenceInMilliseconds) {
  EXPECT_FLOAT_EQ(shell::elapsedSeconds(1000, 3500), 2.5f);
  EXPECT_FLOAT_EQ(shell::elapsedSeconds(42, 42), 0.0f);
}

TEST(ElapsedSeconds, CounterWrapFollowsTheShowRule) {
  // (0xFFFFFFFF - start) + now: 0xFF + 0x100 = 511 ms.
  EXPECT_FLOAT_EQ(shell::elapsedSeconds(0xFFFFFF00u, 0x100u), 0.511f);
  EXPECT_FLOAT_EQ(shell::elapsedSeconds(0xFFFFFFFFu, 0u), 0.0f);
}

TEST(ShowClock, WallClockCountsFromTheStart) {
  fake::FakeHost host;
  host.now = 0xFFFFF000u;
  shell::ShowClock clock;
  clock.start();
  host.now = 0x00000800u;  // wrapped
  EXPECT_FLOAT_EQ(clock.now(), static_cast<float>(0xFFF + 0x800) * 0.001f);
}

TEST(ShowClock, FixedStepShowsFrameKAtKOverFps) {
  fake::FakeHost host;
  shell::ShowClock clock(25);
  clock.start();
  host.now = 999999;  // ignored
  EXPECT_FLOAT_EQ(clock.now(), 0.0f);
  EXPECT_FLOAT_EQ(clock.now(), 0.04f);
  EXPECT_FLOAT_EQ(clock.now(), 0.08f);
}

// A late start: frame k at start + k / fps, so frames land where a run from
// 0 puts them (80 + 1/4 = 321 / 4); the wall clock adds the elapsed time.
TEST(ShowClock, ALateStartCountsFromThatMoment) {
  fake::FakeHost host;
  shell::ShowClock fixed(4, 80.0f);
  fixed.start();
  EXPECT_EQ(fixed.now(), 80.0f);
  EXPECT_EQ(fixed.now(), 321.0f / 4.0f);
  host.now = 1000;
  shell::ShowClock wall(std::nullopt, 12.5f);
  wall.start();
  host.now = 3000;
  EXPECT_FLOAT_EQ(wall.now(), 14.5f);
}

// A start on the frame grid gives each frame exactly the time a run from 0
// gives it, float(k / fps): 192.1 at 10 frames a second is frame 1921, and
// its second frame is float(1922 / 10) = 192.19999..., not float(192.1) +
// 0.1 = 192.20001. Off the grid, frames keep their step from the start.
TEST(ShowClock, ALateStartOnTheFrameGridKeepsARunFromZerosFrameTimes) {
  fake::FakeHost host;
  struct Start {
    int fps;
    double seconds;
    std::uint64_t firstFrame;
  };
  for (const Start start : {Start{10, 192.1, 1921}, Start{10, 80.1, 801}, Start{30, 100.0 / 3.0, 1000}}) {
    shell::ShowClock late(start.fps, start.seconds);
    late.start();
    EXPECT_EQ(late.startTime(), static_cast<float>(start.firstFrame / static_cast<double>(start.fps)));
    for (std::uint64_t k = start.firstFrame; k < start.firstFrame + 5; ++k)
      EXPECT_EQ(late.now(), static_cast<float>(static_cast<double>(k) / start.fps)) << start.seconds << " frame " << k;
  }
  shell::ShowClock offGrid(4, 0.05);
  offGrid.start();
  offGrid.now();
  EXPECT_EQ(offGrid.now(), 0.3f);
}

// The grid by hand: frame 31 at 30 a second, 1.0333333333333334 s, times 30
// is 31.000000000000004, a hair past frame 31 but frame 31, not the next;
// 0.05 x 4 = 0.2 and 10.1 x 4 = 40.4 move on to frames 1 and 41.
TEST(ShowClock, TheGridsFirstFrameAtOrAfterAMoment) {
  EXPECT_EQ(shell::ShowClock::firstGridFrame(31.0 / 30.0, 30), 31);
  EXPECT_EQ(shell::ShowClock::firstGridFrame(0.05, 4), 1);
  EXPECT_EQ(shell::ShowClock::firstGridFrame(0.25, 4), 1);
  EXPECT_EQ(shell::ShowClock::firstGridFrame(10.1, 4), 41);
  EXPECT_EQ(shell::ShowClock::gridTime(1921, 10), static_cast<float>(192.1));
  EXPECT_EQ(shell::ShowClock::gridTime(41, 4), 10.25f);
}

// A seek lands on the grid, even from a start off it, and frames go on from
// there; paused, the clock stands at the last frame (a seek moves where it
// stands) and resumes with the frame after it. A wall clock resumes from
// where it stood, counted from the resume.
TEST(ShowClock, ASeekLandsOnTheGridAndAPauseStandsStill) {
  fake::FakeHost host;
  shell::ShowClock fixed(4, 0.05);
  fixed.seek(0.05);
  EXPECT_EQ(fixed.now(), 0.25f);
  EXPECT_EQ(fixed.now(), 0.5f);
  fixed.seek(10.1);
  EXPECT_EQ(fixed.startTime(), 10.25f);
  EXPECT_EQ(fixed.now(), 10.25f);
  fixed.pause(true);
  EXPECT_EQ(fixed.now(), 10.25f);
  fixed.seek(2.0);
  EXPECT_EQ(fixed.now(), 2.0f);
  EXPECT_EQ(fixed.now(), 2.0f);
  fixed.pause(false);
  EXPECT_EQ(fixed.now(), 2.25f);

  host.now = 1000;
  shell::ShowClock wall(std::nullopt, 5.0);
  wall.start();
  host.now = 2000;
  EXPECT_FLOAT_EQ(wall.now(), 6.0f);
  wall.pause(true);
  host.now = 5000;
  EXPECT_FLOAT_EQ(wall.now(), 6.0f);
  wall.pause(false);
  host.now = 5500;
  EXPECT_FLOAT_EQ(wall.now(), 6.5f);
}

}  // namespace
