#include "scene/animation/envelope_record.h"

#include "persist/persistent_store.h"
#include "scene/envelope.h"

namespace {

void writeKey(persistent_store& store, const EnvelopeKey& key) {
  store.writeValue(key.value);
  store.writeValue(key.time);
  store.writeValue(key.shape);
  store.writeValue(key.tension);
  store.writeValue(key.continuity);
  store.writeValue(key.bias);
  store.writeFloats(key.param);
}

void readKey(persistent_store& store, Envelope& envelope) {
  const auto value = store.readValue<float>();
  const auto time = store.readValue<float>();
  const auto shape = store.readValue<std::int32_t>();
  const auto tension = store.readValue<float>();
  const auto continuity = store.readValue<float>();
  const auto bias = store.readValue<float>();
  EnvelopeKey& key = envelope.addKey(time, value, continuity, tension, bias);
  key.shape = shape;
  store.readFloats(key.param);
}

}  // namespace

void exchangeEnvelope(persistent_store& store, bool writing, Envelope& envelope) {
  if (writing) {
    store.writeValue(envelope.keyCount());
    for (const EnvelopeKey* key = envelope.keys(); key != nullptr; key = key->next.get()) writeKey(store, *key);
  } else {
    envelope.clear();
    // A negative count from a damaged file reads as no keys; a count larger
    // than the stream ends the load when the bytes run out.
    const auto count = store.readValue<std::int32_t>();
    for (std::int32_t i = 0; i < count; ++i) readKey(store, envelope);
  }
  store.exchange(writing, envelope.preBehavior);
  store.exchange(writing, envelope.postBehavior);
}
