#include "shell/capture_progress.h"

#include <algorithm>

namespace shell {
namespace {

constexpr auto kRedrawEvery = std::chrono::milliseconds(250);

std::string minutesAndSeconds(double seconds) {
  const auto whole = static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

CaptureProgress::CaptureProgress(float start, float until, std::FILE* out, bool terminal)
    : showStart_(start), until_(until), out_(out), terminal_(terminal) {}

std::string CaptureProgress::text(float showTime, float start, float until, std::int64_t frames, double wallSeconds) {
  char line[160];
  const double perSecond = wallSeconds > 0.0 ? static_cast<double>(frames) / wallSeconds : 0.0;
  std::snprintf(line, sizeof line, "capture: %.1f s of %.1f s, %lld frames, %.1f frames/s", showTime, until,
                static_cast<long long>(frames), perSecond);
  std::string result = line;
  // The pace so far (wall seconds per show second captured) applied to what is left.
  const float captured = showTime - start;
  if (captured > 0.0f) result += ", " + minutesAndSeconds(wallSeconds / captured * std::max(0.0f, until - showTime)) + " left";
  return result;
}

void CaptureProgress::update(float showTime, std::int64_t frames) {
  const auto now = std::chrono::steady_clock::now();
  if (now - shown_ < kRedrawEvery) return;
  shown_ = now;
  write(showTime, frames);
}

void CaptureProgress::finish(float showTime, std::int64_t frames) {
  write(showTime, frames);
  if (terminal_) std::fputc('\n', out_);
}

void CaptureProgress::write(float showTime, std::int64_t frames) {
  if (!terminal_) return;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  // Back to the line's start, and the rest of the old line cleared.
  std::fprintf(out_, "\r%s\x1b[K", text(showTime, showStart_, until_, frames, wall).c_str());
  std::fflush(out_);
}

}  // namespace shell
