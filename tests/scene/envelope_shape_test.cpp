// The curve between keys. Expected values are worked out by hand from the
// Hermite basis at u = 1/2: h1 = h2 = 1/2, h3 = 1/8, h4 = -1/8, so a span
// gives (v0 + v1) / 2 + (out - in) / 8.
#include <gtest/gtest.h>

#include <cmath>

#include "envelope_support.h"

namespace {

using envelope_test::key;
using envelope_test::make;

TEST(EnvelopeTCB, TensionContinuityAndBiasShapeAnInteriorSpan) {
  Envelope envelope;
  envelope.addKey(0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  envelope.addKey(1.0f, 2.0f, -0.3f, 0.2f, 0.4f);  // continuity, tension, bias
  envelope.addKey(3.0f, 4.0f, 0.5f, -0.1f, -0.2f);
  envelope.addKey(4.0f, 10.0f, 0.0f, 0.0f, 0.0f);
  // Leaving key 1: ratio 2/3, a = 0.8*0.7*1.4 = 0.784, b = 0.8*1.3*0.6 = 0.624,
  //   out = 2/3 * (0.784*2 + 0.624*2) = 1.8773333.
  // Arriving at key 2: ratio 2/3, a = 1.1*0.5*0.8 = 0.44, b = 1.1*1.5*1.2 = 1.98,
  //   in = 2/3 * (1.98*6 + 0.44*2) = 8.5066667.
  EXPECT_NEAR(evaluateEnvelope(envelope, 2.0f), 3.0f + (1.8773333f - 8.5066667f) / 8.0f, 1e-5f);
}

TEST(EnvelopeTCB, PlainKeysWithoutNeighboursFollowTheSmoothStep) {
  // Both tangents equal the rise d, and h2 + h3 + h4 = u: the span is v0 + d*u.
  const Envelope envelope = make({{0.0f, 1.0f}, {4.0f, 9.0f}}, kShapeTCB);
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 3.0f, 1e-5f);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 7.0f, 1e-5f);
}

class EnvelopeTangentParams : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(EnvelopeTangentParams, TakeTheTangentsFromParam) {
  Envelope envelope = make({{0.0f, 1.0f}, {2.0f, 5.0f}}, GetParam());
  key(envelope, 0).param = {99.0f, 3.0f, 99.0f, 99.0f};   // outgoing: param[1]
  key(envelope, 1).param = {-1.0f, 99.0f, 99.0f, 99.0f};  // incoming: param[0]
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 3.0f + (3.0f + 1.0f) / 8.0f, 1e-5f);
}

TEST_P(EnvelopeTangentParams, ScaleParamTangentsByTheNeighbourRatio) {
  Envelope envelope;
  envelope.addKey(-2.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  envelope.addKey(0.0f, 1.0f, 0.0f, 0.0f, 0.0f);
  envelope.addKey(2.0f, 5.0f, 0.0f, 0.0f, 0.0f);
  envelope.addKey(6.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  for (int i : {1, 2}) key(envelope, i).shape = GetParam();
  key(envelope, 1).param[1] = 3.0f;   // times 2/4 for the previous key
  key(envelope, 2).param[0] = -1.0f;  // times 2/6 for the next key
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 3.0f + (1.5f + 1.0f / 3.0f) / 8.0f, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(HermiteAndBezier, EnvelopeTangentParams, ::testing::Values(kShapeHermite, kShapeBezier));

TEST(EnvelopeShapes, LinearSteppedAndUnknownSpans) {
  Envelope envelope = make({{0.0f, 1.0f}, {2.0f, 5.0f}}, kShapeLinear, kBehaviorOffset);
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.5f), 2.0f, 1e-6f);
  key(envelope, 1).shape = kShapeStepped;
  EXPECT_EQ(evaluateEnvelope(envelope, 1.9f), 1.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 2.0f), 5.0f);
  key(envelope, 1).shape = 9;  // unknown: only the behaviour offset is left
  EXPECT_EQ(evaluateEnvelope(envelope, 1.0f), 0.0f);
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 4.0f, 1e-6f);
}

TEST(EnvelopeShapes, TheSpanTakesTheShapeOfItsEndKey) {
  Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 10.0f}, {4.0f, 0.0f}}, kShapeLinear);
  key(envelope, 0).shape = kShapeStepped;
  key(envelope, 2).shape = kShapeStepped;
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 5.0f, 1e-6f);
  EXPECT_EQ(evaluateEnvelope(envelope, 3.0f), 10.0f);
}

TEST(EnvelopeBezier2D, DefaultHandlesGiveALinearTimeAndASmoothValue) {
  // Time handles at 1/3 and 2/3 make the time curve u itself; the value
  // handles (0 and 1) make it 3u^2 - 2u^3.
  Envelope envelope = make({{0.0f, 0.0f}, {1.0f, 1.0f}}, kShapeLinear);
  key(envelope, 1).shape = kShapeBezier2D;
  key(envelope, 1).param = {-1.0f / 3.0f, 0.0f, 0.0f, 0.0f};
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.25f), 0.15625f, 1e-4f);
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.3f), 0.216f, 2e-4f);
}

TEST(EnvelopeBezier2D, AStartKeyOfThatShapeUsesItsOwnOutgoingHandle) {
  // Time curve 0, 0.5, 0.5, 1 is at 0.5 for u = 1/2; value curve 0, 1, 1, 1
  // gives 0.875 there (the default handle would give 0.5).
  Envelope envelope = make({{0.0f, 0.0f}, {1.0f, 1.0f}}, kShapeBezier2D);
  key(envelope, 0).param = {0.0f, 0.0f, 0.5f, 1.0f};
  key(envelope, 1).param = {-0.5f, 0.0f, 0.0f, 0.0f};
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.5f), 0.875f, 1e-4f);
}

TEST(EnvelopeBezier2D, AFlatHandleTimeGivesTheFactor100000) {
  // Incoming tangent of the last key = 2 * param[1] * 100000 = 0.2 when
  // param[0] is 0; the linear continuation climbs 0.2 / 2 per second.
  Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 1.0f}}, kShapeTCB, kBehaviorLinear);
  key(envelope, 1).shape = kShapeBezier2D;
  key(envelope, 1).param = {0.0f, 1e-6f, 0.0f, 0.0f};
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 1.1f, 1e-5f);
  key(envelope, 1).param[0] = 0.5f;  // a real handle divides instead
  EXPECT_NEAR(evaluateEnvelope(envelope, 3.0f), 1.000002f, 1e-6f);
}

TEST(EnvelopeBezier2D, AFlatOutgoingHandleTimeGivesTheFactor100000) {
  // Outgoing tangent of the first key = 1 * 2e-6 * 100000 = 0.2.
  Envelope envelope = make({{0.0f, 0.0f}, {1.0f, 0.0f}}, kShapeTCB, kBehaviorLinear);
  key(envelope, 0).shape = kShapeBezier2D;
  key(envelope, 0).param = {0.0f, 0.0f, 0.0f, 2e-6f};
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), -0.2f, 1e-6f);
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.5f), 0.2f / 8.0f, 1e-6f);
}

TEST(EnvelopeBezier2D, ATimeTheCurveNeverReachesStillEnds) {
  // Before the first key with an unknown pre-behaviour the solve looks for a
  // time below the span: the halvings run out next to u = 0. A handle that is
  // not a number never compares: they run out next to u = 1.
  Envelope envelope = make({{0.0f, 2.0f}, {1.0f, 3.0f}}, kShapeBezier2D, 7);
  EXPECT_NEAR(evaluateEnvelope(envelope, -1.0f), 2.0f, 1e-5f);
  key(envelope, 1).param[0] = std::nanf("");
  EXPECT_NEAR(evaluateEnvelope(envelope, 0.5f), 3.0f, 1e-5f);
}

TEST(EnvelopeKeysAtOneTime, GiveTheFirstOfThePairInsteadOfDividingByZero) {
  const Envelope envelope = make({{0.0f, 1.0f}, {0.0f, 5.0f}, {2.0f, 9.0f}, {2.0f, 4.0f}}, kShapeTCB, 7);
  EXPECT_EQ(evaluateEnvelope(envelope, -1.0f), 1.0f);
  EXPECT_EQ(evaluateEnvelope(envelope, 3.0f), 9.0f);
}

TEST(EnvelopeKeysAtOneTime, ANeighbourAtTheFarKeysTimeIsIgnoredForTheTangent) {
  // The key after (2, 4) is back at time 0, so the incoming ratio has no
  // interval: the tangent is the plain rise 4, as is the outgoing one.
  const Envelope envelope = make({{0.0f, 0.0f}, {2.0f, 4.0f}, {0.0f, 8.0f}, {4.0f, 2.0f}}, kShapeTCB);
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 2.0f, 1e-6f);
}

TEST(EnvelopeKeyOrder, KeysAddedOutOfOrderAreSearchedInInsertionOrder) {
  const Envelope envelope = make({{0.0f, 0.0f}, {4.0f, 8.0f}, {2.0f, 100.0f}}, kShapeLinear);
  EXPECT_NEAR(evaluateEnvelope(envelope, 1.0f), 2.0f, 1e-6f);  // on the span 0 s .. 4 s
  EXPECT_EQ(evaluateEnvelope(envelope, 3.0f), 100.0f);         // after the last key, 2 s
}

}  // namespace
