#include "scene/envelope.h"

#include <utility>

Envelope::~Envelope() { clear(); }

Envelope::Envelope(const Envelope& other)
    : preBehavior(other.preBehavior), postBehavior(other.postBehavior), defaultValue(other.defaultValue) {
  for (const EnvelopeKey* key = other.keys(); key != nullptr; key = key->next.get()) {
    EnvelopeKey& copy = addKey(key->time, key->value, key->continuity, key->tension, key->bias);
    copy.shape = key->shape;
    copy.param = key->param;
  }
}

Envelope& Envelope::operator=(const Envelope& other) {
  if (this != &other) *this = Envelope(other);
  return *this;
}

Envelope::Envelope(Envelope&& other) noexcept { *this = std::move(other); }

Envelope& Envelope::operator=(Envelope&& other) noexcept {
  if (this == &other) return *this;
  clear();
  keys_ = std::move(other.keys_);
  last_ = std::exchange(other.last_, nullptr);
  keyCount_ = std::exchange(other.keyCount_, 0);
  preBehavior = other.preBehavior;
  postBehavior = other.postBehavior;
  defaultValue = other.defaultValue;
  return *this;
}

EnvelopeKey& Envelope::addKey(float time, float value, float continuity, float tension, float bias) {
  auto key = std::make_unique<EnvelopeKey>();
  key->time = time;
  key->value = value;
  key->continuity = continuity;
  key->tension = tension;
  key->bias = bias;
  key->prev = last_;
  std::unique_ptr<EnvelopeKey>& slot = last_ != nullptr ? last_->next : keys_;
  slot = std::move(key);
  last_ = slot.get();
  ++keyCount_;
  return *last_;
}

void Envelope::setBehaviors(std::int32_t behavior) {
  preBehavior = behavior;
  postBehavior = behavior;
}

void Envelope::clear() {
  // One key at a time: letting the chain of owners unwind itself would recurse
  // once per key.
  while (keys_ != nullptr) keys_ = std::move(keys_->next);
  last_ = nullptr;
  keyCount_ = 0;
}
