// The loaders' done event: a set wakes a waiter on another thread and hands
// it what the setter wrote; once set, the event stays set.
#include <gtest/gtest.h>

#include <thread>

#include "platform/manual_reset_event.h"

namespace {

TEST(ManualResetEvent, StaysUnsetUntilSetThenEveryWaitReturnsAtOnce) {
  platform::ManualResetEvent done;
  EXPECT_FALSE(done.wait(0));
  EXPECT_FALSE(done.wait(20));
  EXPECT_FALSE(done.isSet());

  int written = 0;
  std::thread setter([&] {
    written = 42;
    done.set();
  });
  // Long enough never to time out: the setter runs at once.
  ASSERT_TRUE(done.wait(60000));
  EXPECT_EQ(written, 42);  // published by the set (the thread sanitizer checks the order)
  setter.join();
  EXPECT_TRUE(done.isSet());
  EXPECT_TRUE(done.wait(0));
  EXPECT_TRUE(done.wait(0));
}

}  // namespace
