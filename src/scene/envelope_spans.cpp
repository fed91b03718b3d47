#include "scene/envelope_spans.h"

#include <cmath>

namespace envelope_span {
namespace {

constexpr float kThird = 0.33333334f;
constexpr float kFlatHandle = 0.00001f;      // a handle this short counts as vertical
constexpr float kVerticalSlope = 100000.0f;  // the slope given to such a handle
constexpr float kTimeTolerance = 0.0001f;
constexpr int kMaxHalvings = 64;  // malformed handles may never reach the tolerance

// Scales a tangent to the share of the two-span interval that this span covers.
// A neighbour at the far key's time gives no interval: it is then ignored.
bool spanRatio(float dt, float interval, float& ratio) {
  if (interval == 0.0f) return false;
  ratio = dt / interval;
  return true;
}

float handleSlope(float dt, float handleValue, float handleTime) {
  if (std::fabs(handleTime) <= kFlatHandle) return dt * handleValue * kVerticalSlope;
  return dt * handleValue / handleTime;
}

float bezier(float x0, float x1, float x2, float x3, float u) {
  const float c = 3.0f * (x1 - x0);
  const float b = 3.0f * (x2 - x1) - c;
  const float a = x3 - x0 - c - b;
  return ((a * u + b) * u + c) * u + x0;
}

float bezier2D(const EnvelopeKey& key0, const EnvelopeKey& key1, float t) {
  const bool ownHandle = key0.shape == kShapeBezier2D;
  const float x = ownHandle ? key0.time + key0.param[2] : key0.time + (key1.time - key0.time) * kThird;
  const float y = ownHandle ? key0.value + key0.param[3] : key0.value + key0.param[1] * kThird;
  float lo = 0.0f;
  float hi = 1.0f;
  float u = 0.5f;
  for (int halving = 0; halving < kMaxHalvings; ++halving) {
    u = 0.5f * (lo + hi);
    const float v = bezier(key0.time, x, key1.time + key1.param[0], key1.time, u);
    if (std::fabs(t - v) <= kTimeTolerance) break;
    (v > t ? hi : lo) = u;
  }
  return bezier(key0.value, y, key1.param[1] + key1.value, key1.value, u);
}

float hermite(const EnvelopeKey& key0, const EnvelopeKey& key1, float u) {
  const float out = outgoing(key0, key1);
  const float in = incoming(key0, key1);
  const float u2 = u * u;
  const float u3 = u2 * u;
  const float h2 = 3.0f * u2 - 2.0f * u3;
  const float h1 = 1.0f - h2;
  const float h3 = u3 - 2.0f * u2 + u;
  const float h4 = u3 - u2;
  return h1 * key0.value + h2 * key1.value + h3 * out + h4 * in;
}

// One end of a span as its tangent sees it. The outgoing and incoming
// tangents are mirror images: the key whose shape decides, its neighbour
// outside the span, the TCB weights and the params that hold the tangent.
struct TangentEnd {
  const EnvelopeKey& key;
  const EnvelopeKey* neighbour;  // the key beyond this end, if any
  float neighbourRise;           // value change across the outer span
  float interval;                // both spans together
  float neighbourWeight;         // TCB weights of the outer and inner rise
  float spanWeight;
  int tangent;                   // Hermite/Bezier tangent in param
  int handleTime;                // 2D Bezier handle in param
  int handleValue;
};

float tangent(const TangentEnd& end, float dt, float d) {
  float ratio = 0.0f;
  const bool hasNeighbour = end.neighbour != nullptr && spanRatio(dt, end.interval, ratio);
  switch (end.key.shape) {
    case kShapeTCB:
      return hasNeighbour ? ratio * (end.neighbourWeight * end.neighbourRise + end.spanWeight * d)
                          : end.spanWeight * d;
    case kShapeLinear:
      return hasNeighbour ? ratio * (end.neighbourRise + d) : d;
    case kShapeHermite:
    case kShapeBezier:
      return hasNeighbour ? ratio * end.key.param[end.tangent] : end.key.param[end.tangent];
    case kShapeBezier2D:
      return handleSlope(dt, end.key.param[end.handleValue], end.key.param[end.handleTime]);
    default:
      return 0.0f;
  }
}

}  // namespace

float outgoing(const EnvelopeKey& key0, const EnvelopeKey& key1) {
  const EnvelopeKey* prev = key0.prev;
  const float stiffness = 1.0f - key0.tension;
  const TangentEnd end{key0,
                       prev,
                       prev != nullptr ? key0.value - prev->value : 0.0f,
                       prev != nullptr ? key1.time - prev->time : 0.0f,
                       stiffness * (1.0f + key0.continuity) * (1.0f + key0.bias),
                       stiffness * (1.0f - key0.continuity) * (1.0f - key0.bias),
                       1,
                       2,
                       3};
  return tangent(end, key1.time - key0.time, key1.value - key0.value);
}

float incoming(const EnvelopeKey& key0, const EnvelopeKey& key1) {
  const EnvelopeKey* next = key1.next.get();
  const float stiffness = 1.0f - key1.tension;
  const TangentEnd end{key1,
                       next,
                       next != nullptr ? next->value - key1.value : 0.0f,
                       next != nullptr ? next->time - key0.time : 0.0f,
                       stiffness * (1.0f + key1.continuity) * (1.0f - key1.bias),
                       stiffness * (1.0f - key1.continuity) * (1.0f + key1.bias),
                       0,
                       0,
                       1};
  return tangent(end, key1.time - key0.time, key1.value - key0.value);
}

float value(const EnvelopeKey& key0, const EnvelopeKey& key1, float t) {
  const float u = (t - key0.time) / (key1.time - key0.time);
  switch (key1.shape) {
    case kShapeTCB:
    case kShapeHermite:
    case kShapeBezier:
      return hermite(key0, key1, u);
    case kShapeLinear:
      return key0.value + u * (key1.value - key0.value);
    case kShapeStepped:
      return key0.value;
    case kShapeBezier2D:
      return bezier2D(key0, key1, t);
    default:
      return 0.0f;
  }
}

}  // namespace envelope_span
