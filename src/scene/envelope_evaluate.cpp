// Evaluation of an envelope: the behaviours outside the keyed range, the span
// search and the span itself.
#include <cmath>
#include <optional>

#include "scene/envelope.h"
#include "scene/envelope_spans.h"

namespace {

// Where the evaluation stands after the behaviours: the (possibly wrapped)
// time and the value added for whole periods skipped.
struct Position {
  float t;
  float offset = 0.0f;
};

struct Wrapped {
  float t;
  int count;  // whole periods between t and the keyed range, signed
};

int truncatedCount(float quotient) {
  // Beyond int range (or NaN) the count no longer means anything.
  constexpr float kLimit = 2.0e9f;
  return std::fabs(quotient) < kLimit ? static_cast<int>(quotient) : 0;
}

Wrapped wrap(float t, float lo, float hi) {
  const float r = hi - lo;
  if (r == 0.0f) return {lo, 0};
  const float w = lo + t - r * std::floor(t / r);
  return {w, -truncatedCount((w - t) / r + (w > t ? 0.5f : -0.5f))};
}

// Straight continuation of the curve past an end key, along its tangent.
float extrapolate(const EnvelopeKey& end, float t, float tangent, float spanTime) {
  if (spanTime == 0.0f) return end.value;  // no span to take a slope from
  return end.value + (t - end.time) * tangent / spanTime;
}

float linearBehavior(bool before, const EnvelopeKey& first, const EnvelopeKey& last, float t) {
  if (before) {
    const EnvelopeKey& second = *first.next;
    return extrapolate(first, t, envelope_span::outgoing(first, second), second.time - first.time);
  }
  const EnvelopeKey& previous = *last.prev;
  return extrapolate(last, t, envelope_span::incoming(previous, last), last.time - previous.time);
}

// Applies the behaviour for a time outside the keyed range. Returns the value
// when the behaviour decides it alone; otherwise updates the position.
std::optional<float> applyBehavior(std::int32_t behavior, bool before, const EnvelopeKey& first,
                                   const EnvelopeKey& last, Position& position) {
  switch (behavior) {
    case kBehaviorReset:
      return 0.0f;
    case kBehaviorConstant:
      return before ? first.value : last.value;
    case kBehaviorRepeat:
      position.t = wrap(position.t, first.time, last.time).t;
      return std::nullopt;
    case kBehaviorOscillate: {
      const Wrapped wrapped = wrap(position.t, first.time, last.time);
      position.t = wrapped.count % 2 != 0 ? (last.time - first.time) - wrapped.t : wrapped.t;
      return std::nullopt;
    }
    case kBehaviorOffset: {
      const Wrapped wrapped = wrap(position.t, first.time, last.time);
      position.t = wrapped.t;
      position.offset = static_cast<float>(wrapped.count) * (last.value - first.value);
      return std::nullopt;
    }
    case kBehaviorLinear:
      return linearBehavior(before, first, last, position.t);
    default:
      return std::nullopt;
  }
}

// The key that starts the span holding t, in list order. Stops at the last
// span so that a time beyond the last key (an unknown post-behaviour, or
// rounding in the wrap) extends that span instead of leaving the list.
const EnvelopeKey& spanStart(const EnvelopeKey& first, float t) {
  const EnvelopeKey* key0 = &first;
  const EnvelopeKey* key1 = first.next.get();
  while (key1->time < t && key1->next != nullptr) {
    key0 = key1;
    key1 = key1->next.get();
  }
  return *key0;
}

}  // namespace

float evaluateEnvelope(const Envelope& envelope, float time) {
  const EnvelopeKey* first = envelope.keys();
  if (first == nullptr) return envelope.defaultValue;
  if (first->next == nullptr) return first->value;
  const EnvelopeKey& last = *envelope.lastKey();

  Position position{time};
  std::optional<float> decided;
  if (time < first->time) decided = applyBehavior(envelope.preBehavior, true, *first, last, position);
  else if (time > last.time) decided = applyBehavior(envelope.postBehavior, false, *first, last, position);
  if (decided) return *decided;

  const EnvelopeKey& key0 = spanStart(*first, position.t);
  const EnvelopeKey& key1 = *key0.next;
  if (position.t == key0.time) return key0.value + position.offset;
  if (position.t == key1.time) return key1.value + position.offset;
  // Two keys at one time leave no span to interpolate over.
  if (key1.time == key0.time) return key0.value + position.offset;
  return envelope_span::value(key0, key1, position.t) + position.offset;
}
