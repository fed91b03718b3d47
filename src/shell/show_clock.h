#pragma once
#include <cstdint>
#include <optional>

namespace shell {

// Seconds between two readings of the wrapping millisecond clock.
float elapsedSeconds(std::uint32_t start, std::uint32_t now);

// The show time. Normally wall-clock seconds since the show started; with a
// fixed step (for reproducible frames and capture) frame k is at k / fps,
// rounded to float once: the step's grid, one rule for every frame time.
// A show that starts later than its beginning counts from `showStart`, kept
// in double precision: a start on the frame grid (start x fps a whole
// number, as 192.1 at 10 frames a second) gives exactly the times a run
// from 0 gives its frames; off the grid, frames keep their step from the
// start.
class ShowClock {
 public:
  explicit ShowClock(std::optional<int> fps = std::nullopt, double showStart = 0.0);
  void start();  // takes the wall time the clock counts from
  // One reading per frame: the frame's show time. While paused, the time of
  // the last frame read, again.
  float now();

  // For the development mode. Moves the clock to `moment`: with a fixed
  // step onto the grid, to its first frame at or after the moment (a frame
  // a run from 0 draws too), which is the next reading; a wall clock counts
  // from the moment from its next start(). A paused clock then stands at
  // the frame it moved to.
  void seek(double moment);
  // Paused, the show time stands at the last frame read; resumed, it goes on
  // from there: with a fixed step at the frame after it, a wall clock from
  // that moment, counted from now.
  void pause(bool paused);
  bool paused() const { return paused_; }

  double showStart() const { return showStart_; }  // where it was made or moved to
  std::optional<int> fps() const { return fps_; }
  // The time of the first frame (after a seek, of the frame it landed on).
  float startTime() const;
  // With a fixed step: the time of frame `frame` counted from the start,
  // and how many frames come before `until` (those with a time below it).
  float frameTime(std::uint64_t frame) const;
  std::uint64_t framesBefore(float until) const;
  // With a fixed step: the start of frame `frame` in double precision, the
  // moment a show starting there is given so that its frames keep these times.
  double frameStart(std::uint64_t frame) const;

  // The grid of a fixed step of `fps` frames a second: the time of its
  // frame `frame`, and its first frame at or after `moment` (a moment a
  // hair past a frame is that frame: 31 / 30 s x 30 is 31.000000000000004).
  static float gridTime(std::int64_t frame, int fps);
  static std::int64_t firstGridFrame(double moment, int fps);

 private:
  std::optional<int> fps_;
  double showStart_;
  double startFrame_;  // showStart_ in frames of the fixed step
  std::uint32_t start_ = 0;
  std::uint64_t frame_ = 0;  // the next frame of a fixed step, counted from startFrame_
  bool paused_ = false;
  float last_ = 0.0f;  // the last frame's time read
};

}  // namespace shell
