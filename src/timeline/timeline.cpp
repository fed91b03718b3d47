#include "timeline/timeline.h"

namespace kst {

TimeLine& theTimeLine() {
  static TimeLine timeline;
  return timeline;
}

TimeLineEvent::TimeLineEvent(float relativeTime) : time(relativeTime) { theTimeLine().add(this); }

TimeLine::~TimeLine() { clear(); }

void TimeLine::add(TimeLineEvent* event) {
  event->time = event->time + timeOffset;
  // multimap::insert places an equal key after the existing ones (upper bound).
  events_.emplace(event->time, std::unique_ptr<TimeLineEvent>(event));
  ++count_;
}

void TimeLine::rewind() { cursor_ = events_.begin(); }

void TimeLine::update(float t) { update(t, [] {}); }

void TimeLine::update(float t, const std::function<void()>& beforeEach) {
  while (cursor_ != events_.end() && cursor_->first <= t) {
    beforeEach();
    // The cursor stays on the event while it fires: an event that `fire`
    // adds at or after its time lands behind it, where the cursor still
    // reaches it, and fires in this update if it is already due.
    cursor_->second->fire(t);
    events_.erase(cursor_++);  // destroys the event
    --count_;
  }
}

void TimeLine::clear() {
  events_.clear();
  count_ = 0;
  rewind();
}

}  // namespace kst
