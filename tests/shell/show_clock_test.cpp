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

}  // namespace
