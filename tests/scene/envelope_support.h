#pragma once
// Small builders for envelope tests.
#include <initializer_list>
#include <utility>

#include "scene/envelope.h"

namespace envelope_test {

// Keys (time, value) in the given order, all of one shape, with one behaviour
// on both sides.
inline Envelope make(std::initializer_list<std::pair<float, float>> keys, std::int32_t shape,
                     std::int32_t behavior = kBehaviorConstant) {
  Envelope envelope;
  for (const auto& [time, value] : keys) envelope.addKey(time, value, 0.0f, 0.0f, 0.0f).shape = shape;
  envelope.setBehaviors(behavior);
  return envelope;
}

// The n-th key in list order.
inline EnvelopeKey& key(Envelope& envelope, int n) {
  EnvelopeKey* key = envelope.keys();
  while (n-- > 0) key = key->next.get();
  return *key;
}

}  // namespace envelope_test
