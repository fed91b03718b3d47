#include "platform/manual_reset_event.h"

#include <chrono>

namespace platform {

void ManualResetEvent::set() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    set_ = true;
  }
  signalled_.notify_all();
}

bool ManualResetEvent::wait(std::uint32_t milliseconds) {
  std::unique_lock<std::mutex> hold(lock_);
  return signalled_.wait_for(hold, std::chrono::milliseconds(milliseconds), [this] { return set_; });
}

bool ManualResetEvent::isSet() {
  std::lock_guard<std::mutex> hold(lock_);
  return set_;
}

}  // namespace platform
