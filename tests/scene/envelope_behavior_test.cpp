// What an envelope gives outside its keyed range, and on its keys. The keys
// (0 s, 0) and (2 s, 10) with linear spans make every expected value easy to
// work out by hand: inside the range the value is 5 per second.
#include <gtest/gtest.h>

#include "envelope_support.h"

namespace {

using envelope_test::make;

constexpr float kTolerance = 1e-5f;

TEST(EnvelopeEnds, NoKeysGiveTheDefaultAndOneKeyGivesItsValueEverywhere) {
  Envelope empty;
  empty.defaultValue = 7.5f;
  EXPECT_EQ(evaluateEnvelope(empty, -3.0f), 7.5f);
  EXPECT_EQ(evaluateEnvelope(empty, 12.0f), 7.5f);

  for (std::int32_t behavior : {kBehaviorReset, kBehaviorRepeat, kBehaviorOffset, kBehaviorLinear}) {
    const Envelope single = make({{2.0f, 4.0f}}, kShapeTCB, behavior);
    for (float t : {-100.0f, 0.0f, 2.0f, 2.5f, 1000.0f}) EXPECT_EQ(evaluateEnvelope(single, t), 4.0f) << t;
  }
}

TEST(EnvelopeEnds, ResetGivesZeroAndConstantHoldsTheEndValues) {
  Envelope envelope = make({{1.0f, 4.0f}, {3.0f, 8.0f}}, kShapeLinear, kBehaviorReset);
  EXPECT_EQ(evaluateEnvelope(envelope, 0.5f), 0.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 3.5f), 0.0f);
  envelope.setBehaviors(kBehaviorConstant);
  EXPECT_EQ(evaluateEnvelope(envelope, -20.0f), 4.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 20.0f), 8.0f);
  // Each side has its own behaviour.
  envelope.preBehavior = kBehaviorReset;
  EXPECT_EQ(evaluateEnvelope(envelope, 0.0f), 0.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 4.0f), 8.0f);
}

TEST(EnvelopeEnds, NewEnvelopesHoldTheirEndValues) {
  Envelope envelope;
  EXPECT_EQ(envelope.preBehavior, kBehaviorConstant);
  EXPECT_EQ(envelope.postBehavior, kBehaviorConstant);
  EXPECT_EQ(envelope.defaultValue, 0.0f);
}

TEST(EnvelopeRepeat, RepeatsThePeriodOnBothSides) {
  const Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}}, kShapeLinear, kBehaviorRepeat);
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 5.0f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 5.0f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), 5.0f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, 4.5f), 2.5f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, -0.5f), 7.5f, kTolerance);
}

TEST(EnvelopeRepeat, CountsThePeriodFromTimeZeroNotFromTheFirstKey) {
  // Keys at 1 s and 3 s: the wrapped time is 1 + (t mod 2), so 3.5 s maps to
  // 2.5 s (value 7.5), not to 1.5 s.
  const Envelope envelope = make({{1.0f, 0.0f}, {3.0f, 10.0f}}, kShapeLinear, kBehaviorRepeat);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.5f), 7.5f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.5f), 2.5f, kTolerance);  // 1 + (0.5 mod 2) = 1.5
}

TEST(EnvelopeOffset, AddsTheRiseOncePerPeriodAfterAndSubtractsItBefore) {
  const Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}}, kShapeLinear, kBehaviorOffset);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 15.0f, kTolerance);   // one period on
  EXPECT_NEAR(evaluateEnvelope(envelope, 5.0f), 25.0f, kTolerance);   // two periods on
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), -5.0f, kTolerance);  // one period back
  EXPECT_NEAR(evaluateEnvelope(envelope, -3.0f), -15.0f, kTolerance);
}

TEST(EnvelopeOffset, ATimeOnAKeyGivesTheKeyValuePlusTheOffsetWhateverTheShape) {
  for (std::int32_t shape : {kShapeTCB, kShapeHermite, kShapeLinear, kShapeStepped, kShapeBezier2D}) {
    const Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}}, shape, kBehaviorOffset);
    EXPECT_EQ(evaluateEnvelope(envelope, 2.0f), 10.0f) << shape;
    EXPECT_NEAR(evaluateEnvelope(envelope, 4.0f), 20.0f, kTolerance) << shape;  // first key, two periods on
    EXPECT_NEAR(evaluateEnvelope(envelope, 6.0f), 30.0f, kTolerance) << shape;
    EXPECT_NEAR(evaluateEnvelope(envelope, -2.0f), -10.0f, kTolerance) << shape;
  }
}

TEST(EnvelopeOscillate, OddWrapCountsRunBackwardsAndEvenOnesForwards) {
  const Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}}, kShapeLinear, kBehaviorOscillate);
  EXPECT_NEAR(evaluateEnvelope(envelope, 2.5f), 7.5f, kTolerance);   // count 1: mirrored to 1.5 s
  EXPECT_NEAR(evaluateEnvelope(envelope, 4.5f), 2.5f, kTolerance);   // count 2: forwards, 0.5 s
  EXPECT_NEAR(evaluateEnvelope(envelope, 6.5f), 7.5f, kTolerance);   // count 3: mirrored again
  EXPECT_NEAR(evaluateEnvelope(envelope, -0.5f), 2.5f, kTolerance);  // count -1: mirrored to 0.5 s
  EXPECT_NEAR(evaluateEnvelope(envelope, -2.5f), 7.5f, kTolerance);  // count -2: forwards, 1.5 s
}

TEST(EnvelopeLinear, ExtendsTheEndTangentsBeforeAndAfter) {
  // TCB keys without neighbours: the outgoing tangent of the first key is
  // (1 - tension) * 10, the incoming one of the last key is 20.
  Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}, {4.0f, 30.0f}}, kShapeTCB, kBehaviorLinear);
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), -5.0f, kTolerance);  // slope 10 / 2
  EXPECT_NEAR(evaluateEnvelope(envelope, 6.0f), 50.0f, kTolerance);   // 30 + 2 * 20 / 2
  envelope.keys()->tension = 0.5f;
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), -2.5f, kTolerance);
}

TEST(EnvelopeLinear, EndKeysAtOneTimeGiveAFlatContinuation) {
  const Envelope envelope = make({{1.0f, 3.0f}, {1.0f, 5.0f}, {2.0f, 7.0f}, {2.0f, 9.0f}}, kShapeTCB, kBehaviorLinear);
  EXPECT_EQ(evaluateEnvelope(envelope, 0.0f), 3.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 5.0f), 9.0f);
}

TEST(EnvelopeWrap, AllKeysAtOneTimeWrapOntoTheFirstKey) {
  const Envelope envelope = make({{1.0f, 3.0f}, {1.0f, 7.0f}}, kShapeTCB, kBehaviorOffset);
  EXPECT_EQ(evaluateEnvelope(envelope, 5.0f), 3.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, -5.0f), 3.0f);
}

TEST(EnvelopeWrap, UnknownBehavioursUseTheEndSpansUnchanged) {
  Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}}, kShapeLinear, 7);
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), -5.0f, kTolerance);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 15.0f, kTolerance);
}

}  // namespace
