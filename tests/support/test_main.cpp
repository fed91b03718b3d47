// The main of every test program: tests run without a display or a sound
// device unless the caller chose other drivers. The software GL driver draws
// on the calling thread: with its worker threads, the leak checker's
// end-of-run thread scan has crashed (a bad dynamic TLS range) under ctest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("LP_NUM_THREADS", "0", 0);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
