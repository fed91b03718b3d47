#pragma once
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

namespace shell {

// The wall time and processor time of every frame the loop shows, kept in
// memory while the show plays (so that measuring adds no file work to the
// frames) and written once at the end. A frame lasts from the return of the
// previous buffer swap, or from the loop's start for the first, to the
// return of its own: the frames' times add up to the loop's whole time, and
// they are cut where a replay of the frames' GL calls cuts them, at the
// swaps. The loop finishes each timed frame's drawing before its swap. The
// processor time is the whole process's, the driver's drawing threads
// included; unlike the wall time, other programs on the machine barely
// change it.
class FrameTimes {
 public:
  void start();                     // the loop is about to show its first frame
  void presented(float showTime);   // the frame shown at showTime has been swapped

  // One line per frame, in order: its show time in seconds, its wall time
  // and its processor time in milliseconds. False when the file cannot be
  // written.
  bool write(const std::string& file) const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Frame {
    float showTime = 0.0f;
    double wallMilliseconds = 0.0;
    double processorMilliseconds = 0.0;
  };
  Clock::time_point lastWall_;
  double lastProcessor_ = 0.0;
  std::vector<Frame> frames_;
};

}  // namespace shell
