#pragma once
// The line a capture keeps up to date on the terminal: show time reached,
// frames written, frames per second and the time left at that pace,
// rewritten in place at most a few times a second. Nothing at all when the
// stream is not a terminal (a log file or a pipe gets no carriage returns).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace shell {

class CaptureProgress {
 public:
  // The capture runs from show time `start` to `until`.
  CaptureProgress(float start, float until, std::FILE* out, bool terminal);
  // After each frame written.
  void update(float showTime, std::int64_t frames);
  // The last state, then the line is ended.
  void finish(float showTime, std::int64_t frames);

  // The line's text for `frames` written in `wallSeconds`, from `start` up
  // to `showTime`.
  static std::string text(float showTime, float start, float until, std::int64_t frames, double wallSeconds);

 private:
  void write(float showTime, std::int64_t frames);

  float showStart_;
  float until_;
  std::FILE* out_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_{};
};

}  // namespace shell
