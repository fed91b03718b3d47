// Ctrl-C and SIGTERM ask the show to stop instead of ending the process; a
// second one while the first is unanswered ends it as the signal would.
#include "platform/stop_signals.h"

#include <gtest/gtest.h>

#include <csignal>

#include "base/stop_request.h"

namespace {

TEST(StopSignals, EitherSignalAsksToStopAndASecondOneEndsTheProcess) {
  platform::catchStopSignals();
  for (const int signal : {SIGINT, SIGTERM}) {
    ASSERT_FALSE(kst::stopAsked());
    std::raise(signal);
    EXPECT_TRUE(kst::stopAsked()) << signal;
    EXPECT_THROW(kst::stopPoint(), kst::StopAsked);
    kst::forgetStopRequest();
    EXPECT_NO_THROW(kst::stopPoint());
  }
  EXPECT_EXIT(
      {
        std::raise(SIGTERM);
        std::raise(SIGTERM);
      },
      testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
