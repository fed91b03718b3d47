#pragma once
#include <cstdint>
#include <optional>

namespace shell {

// Seconds between two readings of the wrapping millisecond clock.
float elapsedSeconds(std::uint32_t start, std::uint32_t now);

// The show time. Normally wall-clock seconds since the show started; with a
// fixed step (for reproducible frames and capture) frame k is at k / fps.
// A show that starts later than its beginning counts from `showStart`, kept
// in double precision: each frame's time is rounded to float once, and a
// start on the frame grid (start x fps a whole number, as 192.1 at 10 frames
// a second) gives exactly the times a run from 0 gives its frames.
class ShowClock {
 public:
  explicit ShowClock(std::optional<int> fps = std::nullopt, double showStart = 0.0);
  void start();  // takes the show start time
  float now();   // one reading per frame
  double showStart() const { return showStart_; }
  std::optional<int> fps() const { return fps_; }
  // The time of the first frame.
  float startTime() const;
  // With a fixed step: the time of frame `frame` counted from the start,
  // and how many frames come before `until` (those with a time below it).
  float frameTime(std::uint64_t frame) const;
  std::uint64_t framesBefore(float until) const;
  // With a fixed step: the start of frame `frame` in double precision, the
  // moment a show starting there is given so that its frames keep these times.
  double frameStart(std::uint64_t frame) const;

 private:

  std::optional<int> fps_;
  double showStart_;
  double startFrame_;  // showStart_ in frames of the fixed step
  std::uint32_t start_ = 0;
  std::uint64_t frame_ = 0;
};

}  // namespace shell
