#include "scene/animation/keyframe_handler.h"

#include "persist/persistent_store.h"
#include "scene/animation/envelope_record.h"
#include "scene/nodes/stored_vector.h"

void ConstantKeyframeHandler::serialize(persistent_store& store, bool writing) {
  exchangeVector(store, writing, value);
}

void LW6KeyframeHandler::serialize(persistent_store& store, bool writing) {
  for (Envelope* channel : {&x, &y, &z}) exchangeEnvelope(store, writing, *channel);
}

Vector3 LW6KeyframeHandler::evaluate(float time) const {
  return {evaluateEnvelope(x, time), evaluateEnvelope(y, time), evaluateEnvelope(z, time)};
}
