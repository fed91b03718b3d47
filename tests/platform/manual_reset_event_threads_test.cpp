// The loaders' done event: unset until set, then set for good; a set wakes
// a waiter on another thread and hands it what the setter wrote.
#include <gtest/gtest.h>

#include <thread>

#include "platform/manual_reset_event.h"

TEST(ManualResetEvent, WaitsTimeOutUntilASetThenReturnAtOnce) {
  platform::ManualResetEvent done;
  EXPECT_FALSE(done.wait(20));
  int written = 0;
  std::thread setter([&] {
    written = 42;
    done.set();
  });
  ASSERT_TRUE(done.wait(60000));  // never near the limit: the setter runs at once
  EXPECT_EQ(written, 42);
  setter.join();
  EXPECT_TRUE(done.isSet() && done.wait(0) && done.wait(0));
}
