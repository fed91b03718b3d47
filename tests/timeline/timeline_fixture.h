#pragma once
// Event tests start and end with an empty timeline at offset 0.
#include <gtest/gtest.h>

#include "timeline/timeline.h"

namespace fake {

class TimeLineFixture : public ::testing::Test {
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

}  // namespace fake
