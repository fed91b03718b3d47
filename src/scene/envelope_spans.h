#pragma once
// The curve between two neighbouring keys: tangents, the shapes and the 2D
// Bezier solve. Used by the envelope evaluation only.
#include "scene/envelope.h"

namespace envelope_span {

// Tangent leaving key0 towards key1, by key0's shape.
float outgoing(const EnvelopeKey& key0, const EnvelopeKey& key1);

// Tangent arriving at key1 from key0, by key1's shape.
float incoming(const EnvelopeKey& key0, const EnvelopeKey& key1);

// The value at t on the span from key0 to key1 (shape of key1), without the
// behaviour offset. key0.time and key1.time must differ.
float value(const EnvelopeKey& key0, const EnvelopeKey& key1, float t);

}  // namespace envelope_span
