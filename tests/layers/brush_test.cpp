// The brush base: its lifetime rule and its nine animated parameters.
#include "layers/brush.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace {

class Plain : public kst::Brush {
 public:
  void Draw(float) override {}
};

TEST(Brush, StartsOnLayerZeroForeverVisibleAndDeletable) {
  Plain brush;
  EXPECT_EQ(brush.layer, 0);
  EXPECT_EQ(brush.duration, 0.0f);
  EXPECT_TRUE(brush.deleteWhenFinished);
  EXPECT_TRUE(brush.visible);
  for (const Envelope& envelope : brush.parameters) {
    EXPECT_EQ(envelope.preBehavior, kBehaviorConstant);
    EXPECT_EQ(envelope.postBehavior, kBehaviorConstant);
  }
}

TEST(Brush, FinishesWhenANonZeroDurationHasRunOut) {
  Plain brush;
  EXPECT_EQ(brush.IsFinished(1.0e9f), 0);  // duration 0: never
  brush.duration = 5.0f;
  EXPECT_EQ(brush.IsFinished(4.99f), 0);
  EXPECT_EQ(brush.IsFinished(5.0f), 1);
  EXPECT_EQ(brush.IsFinished(6.0f), 1);
}

TEST(Brush, UnkeyedParametersGivePositionAndSizeZeroAndFullWhite) {
  Plain brush;
  std::array<float, kst::Brush::kParameterCount> values{};
  values.fill(-1.0f);
  brush.EvaluateParameters(3.0f, values);
  EXPECT_THAT(values, ::testing::ElementsAre(0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f));
}

TEST(Brush, EachParameterFollowsItsOwnEnvelopeAtTheLocalTime) {
  Plain brush;
  for (int i = 0; i < kst::Brush::kParameterCount; ++i) {
    Envelope& envelope = brush.parameters[i];
    envelope.addKey(0.0f, 0.0f, 0.0f, 0.0f, 0.0f).shape = kShapeLinear;
    envelope.addKey(2.0f, static_cast<float>(i + 1), 0.0f, 0.0f, 0.0f).shape = kShapeLinear;
  }
  std::array<float, kst::Brush::kParameterCount> values{};
  brush.EvaluateParameters(1.0f, values);  // halfway: (i + 1) / 2
  EXPECT_THAT(values, ::testing::ElementsAre(0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f, 3.5f, 4.0f, 4.5f));
}

}  // namespace
