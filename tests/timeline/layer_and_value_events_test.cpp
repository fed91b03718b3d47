// Activation and value-change events: what reaches the layer stack and the
// variables, and when.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layers/layer_stack.h"
#include "timeline/brush_events.h"
#include "timeline/value_events.h"
#include "timeline_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records the local time of each draw.
class Probe : public kst::Brush {
 public:
  explicit Probe(std::vector<float>& draws) : draws_(draws) {}
  void Draw(float localTime) override { draws_.push_back(localTime); }

 private:
  std::vector<float>& draws_;
};

class LayerEvents : public fake::TimeLineFixture {
 protected:
  void TearDown() override {
    kst::ClearLayers();
    fake::TimeLineFixture::TearDown();
  }
  std::vector<float> draws;
};

TEST_F(LayerEvents, ALateActivationStartsTheLayerAtItsScheduledTime) {
  new kst::EvtActivateBrush(10.0f, new Probe(draws));
  frameAt(9.9f);
  kst::DrawLayers(9.9f);
  EXPECT_THAT(draws, IsEmpty()) << "not yet due";
  line().update(10.4f);  // the frame comes 0.4 s late
  kst::DrawLayers(10.5f);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_NEAR(draws[0], 0.5f, 1e-5f) << "local time counts from 10.0, not from 10.4";
}

TEST_F(LayerEvents, TheSectionOffsetShiftsTheActivation) {
  line().timeOffset = 40.0f;
  new kst::EvtActivateBrush(2.5f, new Probe(draws));
  frameAt(43.0f);
  kst::DrawLayers(43.0f);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_NEAR(draws[0], 0.5f, 1e-5f);
}

class ValueEvents : public fake::TimeLineFixture {};

TEST_F(ValueEvents, TheLaterOfTwoChangesAtOneTimeWins) {
  bool visible = false;
  bool shown = true;
  new kst::EvtChangeValue<bool>(1.0f, &visible, true);
  new kst::EvtChangeValue<bool>(1.0f, &visible, false);
  new kst::EvtChangeValue<bool>(1.0f, &shown, false);
  new kst::EvtChangeValue<bool>(1.0f, &shown, true);
  frameAt(1.0f);
  EXPECT_FALSE(visible);
  EXPECT_TRUE(shown);
}

TEST_F(ValueEvents, TwoLayersAlternateAsScheduled) {
  bool first = true;
  bool second = false;
  bool later = false;
  for (int step = 1; step <= 4; ++step) {
    const bool odd = step % 2 == 1;
    new kst::EvtChangeValue<bool>(0.5f * step, &first, !odd);
    new kst::EvtChangeValue<bool>(0.5f * step, &second, odd);
  }
  new kst::EvtChangeValue<bool>(3.0f, &later, true);
  std::vector<std::pair<bool, bool>> seen;
  line().rewind();
  for (float t : {0.25f, 0.5f, 1.0f, 1.2f, 1.5f, 2.0f}) {
    line().update(t);
    seen.emplace_back(first, second);
  }
  EXPECT_THAT(seen, ElementsAre(std::pair{true, false}, std::pair{false, true}, std::pair{true, false},
                                std::pair{true, false}, std::pair{false, true}, std::pair{true, false}));
  EXPECT_FALSE(later) << "not yet due";
  EXPECT_EQ(line().count(), 1u);
}

}  // namespace
