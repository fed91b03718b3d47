#pragma once
// The line a capture keeps up to date on the terminal: show time reached,
// frames written, frames per second and the time left at that pace,
// rewritten in place at most a few times a second. Nothing at all when the
// stream is not a terminal (a log file or a pipe gets no carriage returns).
// A part of a capture cut into parts also tells its job runner, as often,
// how many of its frames are written (see part_report.h).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace shell {

// Where and as what a part reports its progress.
struct RunnerReport {
  std::FILE* out = nullptr;
  int part = 0;
  int count = 0;
  std::int64_t frames = 0;  // the part's, all told
};

// How often a progress line is written: a few times a second, counting
// the wall time from when this was made.
class RedrawPace {
 public:
  // Whether the line is due again (true the first time).
  bool due();
  double wallSeconds() const;

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point shown_{};
};

class CaptureProgress {
 public:
  // The capture runs from show time `start` to `until`.
  CaptureProgress(float start, float until, std::FILE* out, bool terminal,
                  std::optional<RunnerReport> runner = std::nullopt);
  // After each frame written.
  void update(float showTime, std::int64_t frames);
  // The last state, then the line is ended.
  void finish(float showTime, std::int64_t frames);

  // The line's text for `frames` written in `wallSeconds`, from `start` up
  // to `showTime`.
  static std::string text(float showTime, float start, float until, std::int64_t frames, double wallSeconds);
  // The line of a capture cut into parts: `frames` of `total` written
  // across all of them in `wallSeconds`, the time left at that pace.
  static std::string partsText(int partsDone, int parts, std::int64_t frames, std::int64_t total, double wallSeconds);

 private:
  void write(float showTime, std::int64_t frames);

  float showStart_;
  float until_;
  std::FILE* out_;
  bool terminal_;
  std::optional<RunnerReport> runner_;
  RedrawPace pace_;
};

// Rewrites the terminal's current line with `text`.
void rewriteLine(std::FILE* out, const std::string& text);

}  // namespace shell
