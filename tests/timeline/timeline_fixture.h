#pragma once
// Event tests start and end with an empty timeline at offset 0. `Base` is the
// fixture of whatever else the events need (a GL world, say).
#include <gtest/gtest.h>

#include "timeline/timeline.h"

namespace fake {

template <typename Base = ::testing::Test>
class TimeLineFixtureOver : public Base {
 protected:
  void SetUp() override {
    line().clear();
    line().timeOffset = 0.0f;
  }
  void TearDown() override { line().clear(); }
  static kst::TimeLine& line() { return kst::theTimeLine(); }

  // Fires everything due at the show time t, as one frame does.
  static void frameAt(float t) {
    line().rewind();
    line().update(t);
  }
};

using TimeLineFixture = TimeLineFixtureOver<>;

}  // namespace fake
