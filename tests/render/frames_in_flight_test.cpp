#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/frames_in_flight.h"
#include "render/gl_table.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"

namespace {

using Strings = std::vector<std::string>;

class FramesInFlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::RecordingGL::FillTable();
    SetGLCapability(GLCap::ARB_sync, 1);
    // Fence n is the address of fences_[n], so the log tells them apart.
    world.driver.on<GLEntryId::glFenceSync>([this](GLenum, GLbitfield) {
      return reinterpret_cast<GLsync>(&fences_[made_++]);
    });
  }
  void TearDown() override { SetGLCapability(GLCap::ARB_sync, 0); }

  GLsync fence(int n) { return reinterpret_cast<GLsync>(&fences_[n]); }
  std::string waitOn(int n) {
    return fake::call("glClientWaitSync", fence(n), GLbitfield{GL_SYNC_FLUSH_COMMANDS_BIT}, GLuint64{1'000'000'000});
  }
  Strings deletes(int first, int second) {
    return {fake::call("glDeleteSync", fence(first)), fake::call("glDeleteSync", fence(second))};
  }
  Strings callsOf(const char* name) const {
    Strings found;
    for (const std::string& line : world.driver.calls)
      if (line.starts_with(std::string(name) + "(")) found.push_back(line);
    return found;
  }

  fake::FakeGLWorld world;
  int fences_[8] = {};
  int made_ = 0;
};

// Two frames may be unfinished after a swap: the third swap waits for the
// first frame, the fourth for the second, each fence let go once waited for.
TEST_F(FramesInFlightTest, TheThirdFrameWaitsForTheFirst) {
  {
    FramesInFlight frames;
    frames.presented();
    frames.presented();
    EXPECT_EQ(callsOf("glClientWaitSync"), Strings{});
    frames.presented();
    frames.presented();
    EXPECT_EQ(callsOf("glClientWaitSync"), (Strings{waitOn(0), waitOn(1)}));
    EXPECT_EQ(callsOf("glDeleteSync"), deletes(0, 1));
    world.driver.clear();
  }
  // The frames still in flight when the bound goes.
  EXPECT_EQ(callsOf("glDeleteSync"), deletes(2, 3));
  EXPECT_EQ(callsOf("glFinish"), Strings{});
}

// A wait that times out is asked again until the frame is done.
TEST_F(FramesInFlightTest, AWaitThatTimesOutIsRepeated) {
  int answers = 0;
  world.driver.on<GLEntryId::glClientWaitSync>([&](GLsync, GLbitfield, GLuint64) -> GLenum {
    return ++answers < 3 ? GL_TIMEOUT_EXPIRED : GL_CONDITION_SATISFIED;
  });
  FramesInFlight frames(1);
  frames.presented();
  frames.presented();
  EXPECT_EQ(callsOf("glClientWaitSync"), (Strings{waitOn(0), waitOn(0), waitOn(0)}));
}

// A fence a minute of waits leaves unsignalled is taken for broken: the log
// says so, and later frames are finished after their swap instead.
TEST_F(FramesInFlightTest, AFenceNeverSignalledIsGivenUpAfterAMinute) {
  int waits = 0;
  world.driver.on<GLEntryId::glClientWaitSync>([&](GLsync, GLbitfield, GLuint64) -> GLenum {
    return ++waits < 1000 ? GL_TIMEOUT_EXPIRED : GL_CONDITION_SATISFIED;
  });
  fake::LogCapture log;
  FramesInFlight frames(1);
  frames.presented();
  frames.presented();
  EXPECT_EQ(waits, 60);
  EXPECT_NE(log.text().find("did not finish a frame within 60 s"), std::string::npos) << log.text();
  frames.presented();
  EXPECT_EQ(waits, 60);
  EXPECT_EQ(world.driver.count("glFinish"), 1u);
  EXPECT_EQ(world.driver.count("glFenceSync"), 2u);
}

// Without fences every frame is finished after its swap.
TEST_F(FramesInFlightTest, WithoutFencesEveryFrameIsFinished) {
  SetGLCapability(GLCap::ARB_sync, 0);
  FramesInFlight frames;
  for (int i = 0; i < 3; ++i) frames.presented();
  EXPECT_EQ(world.driver.count("glFinish"), 3u);
  EXPECT_EQ(world.driver.count("glFenceSync"), 0u);
}

}  // namespace
