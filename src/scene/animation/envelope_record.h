#pragma once
// An envelope's form inside a keyframe handler's record: the key count
// (signed 32-bit), per key value, time, shape, tension, continuity, bias and
// four params (40 bytes), then the pre- and post-behaviours. Reading
// replaces the keys, linked again in file order.
class Envelope;
class persistent_store;

void exchangeEnvelope(persistent_store& store, bool writing, Envelope& envelope);
