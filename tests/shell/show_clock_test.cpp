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

}  // namespace
