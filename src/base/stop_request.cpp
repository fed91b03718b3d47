#include "base/stop_request.h"

#include <atomic>

namespace kst {
namespace {

// Lock-free, so a signal handler may set it.
std::atomic<bool> asked{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

void askToStop() noexcept { asked.store(true); }
bool stopAsked() noexcept { return asked.load(); }
void forgetStopRequest() noexcept { asked.store(false); }

void stopPoint() {
  if (stopAsked()) throw StopAsked();
}

}  // namespace kst
