#pragma once
// Bounds the frames the driver is still drawing after their swap. A
// display's swap waits for the screen, which keeps the program at most a
// frame or two ahead of it; an offscreen surface's swap returns at once, and
// a software driver would queue frame after frame (and their memory) behind
// a program that never waits.
//
// Main thread, with the show's context current, from the first frame until
// the context goes.
#include <GL/gl.h>
#include <GL/glext.h>

#include <deque>

class FramesInFlight {
 public:
  // At most `limit` frames (one or more) unfinished after each swap.
  explicit FramesInFlight(int limit = 2);
  // Lets go of the fences of frames still in flight.
  ~FramesInFlight();
  FramesInFlight(const FramesInFlight&) = delete;
  FramesInFlight& operator=(const FramesInFlight&) = delete;

  // After a frame's swap: marks the frame's end in the command stream and
  // waits for the oldest frames until no more than `limit` are unfinished.
  // Without fences (no GL_ARB_sync) it finishes every frame, and so it does
  // from the first fence not signalled within a minute on, with a warning.
  void presented();

 private:
  int limit_;
  bool fencesFailed_ = false;
  std::deque<GLsync> fences_;  // oldest first
};
