#pragma once
// The Win32 manual-reset event the background loaders signal: created
// unsignalled, set once and then signalled for good, so every wait after
// the set returns at once. Any thread may set it or wait on it; setting
// also publishes to every waiter whatever the setting thread wrote before.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

class ManualResetEvent {
 public:
  ManualResetEvent() = default;
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  // Wakes every waiter; the event stays signalled.
  void set();
  // True once the event is signalled (at once when it already is), false
  // when `milliseconds` pass first.
  bool wait(std::uint32_t milliseconds);
  bool isSet();

 private:
  std::mutex lock_;
  std::condition_variable signalled_;
  bool set_ = false;  // under lock_
};

}  // namespace platform
