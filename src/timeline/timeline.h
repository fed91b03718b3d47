#pragma once
// The show is a list of timed actions. Every event schedules itself on the one
// timeline when it is constructed; the frame loop fires the due ones in time
// order, oldest first, and each fired event is destroyed at once.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace kst {

class TimeLineEvent {
 public:
  explicit TimeLineEvent(float relativeTime);  // adds itself to the timeline
  virtual ~TimeLineEvent() = default;
  TimeLineEvent(const TimeLineEvent&) = delete;
  TimeLineEvent& operator=(const TimeLineEvent&) = delete;

  // t is the show time of the update that fires the event; `time` keeps the
  // event's own scheduled (absolute) time.
  virtual void fire(float t) = 0;

  float time;
};

class TimeLine {
 public:
  TimeLine() = default;
  virtual ~TimeLine();
  TimeLine(const TimeLine&) = delete;
  TimeLine& operator=(const TimeLine&) = delete;

  // Shifts the event by timeOffset and places it after every pending event
  // whose time is less than or equal to its own. The cursor does not move.
  void add(TimeLineEvent* event);
  void rewind();
  void update(float t);
  // The same, calling `beforeEach` before each event fires (a catch-up of
  // many events can be stopped between two of them by throwing there).
  void update(float t, const std::function<void()>& beforeEach);
  void clear();

  std::uint32_t count() const { return count_; }

  // Calls `visit` with every pending event, in firing order (for listings
  // and for releasing what pending events point at).
  template <typename Visit>
  void forEachPending(Visit visit) const {
    for (const auto& entry : events_) visit(*entry.second);
  }

  float timeOffset = 0.0f;

 private:
  // multimap keeps insertion order among equal keys, which is the firing
  // order of events with the same time.
  using Events = std::multimap<float, std::unique_ptr<TimeLineEvent>>;
  Events events_;
  Events::iterator cursor_ = events_.end();
  std::uint32_t count_ = 0;
};

// The single timeline of the program.
TimeLine& theTimeLine();

}  // namespace kst
