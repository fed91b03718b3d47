#pragma once
// Switching a variable (typically a layer's flag) at a given time.
#include "timeline/timeline.h"

namespace kst {

// Stores a value, copied at construction, into a variable the event does not
// own. Several changes at one time apply in construction order, so the last
// one constructed wins.
template <typename T>
class EvtChangeValue : public TimeLineEvent {
 public:
  EvtChangeValue(float time, T* target, const T& value) : TimeLineEvent(time), target_(target), value_(value) {}
  void fire(float) override { *target_ = value_; }

  T* target() const { return target_; }
  const T& value() const { return value_; }

 private:
  T* target_;
  T value_;
};

}  // namespace kst
