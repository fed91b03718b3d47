#include "platform/stop_signals.h"

#include <csignal>

#include "base/stop_request.h"

namespace platform {
namespace {

void onStopSignal(int signal) {
  if (kst::stopAsked()) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  kst::askToStop();
}

}  // namespace

void catchStopSignals() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace platform
