#include "shell/capture_progress.h"

#include <algorithm>

#include "shell/part_report.h"

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

CaptureProgress::CaptureProgress(float start, float until, std::FILE* out, bool terminal,
                                 std::optional<RunnerReport> runner)
    : showStart_(start), until_(until), out_(out), terminal_(terminal), runner_(runner) {}

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

std::string CaptureProgress::partsText(int partsDone, int parts, std::int64_t frames, std::int64_t total,
                                       double wallSeconds) {
  char line[160];
  const double perSecond = wallSeconds > 0.0 ? static_cast<double>(frames) / wallSeconds : 0.0;
  std::snprintf(line, sizeof line, "capture: %d of %d parts, %lld of %lld frames, %.1f frames/s", partsDone, parts,
                static_cast<long long>(frames), static_cast<long long>(total), perSecond);
  std::string result = line;
  if (perSecond > 0.0)
    result += ", " + minutesAndSeconds(static_cast<double>(std::max<std::int64_t>(0, total - frames)) / perSecond) + " left";
  return result;
}

bool RedrawPace::due() {
  const auto now = std::chrono::steady_clock::now();
  if (now - shown_ < kRedrawEvery) return false;
  shown_ = now;
  return true;
}

double RedrawPace::wallSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void rewriteLine(std::FILE* out, const std::string& text) {
  // Back to the line's start, and the rest of the old line cleared.
  std::fprintf(out, "\r%s\x1b[K", text.c_str());
  std::fflush(out);
}

void CaptureProgress::update(float showTime, std::int64_t frames) {
  if (pace_.due()) write(showTime, frames);
}

void CaptureProgress::finish(float showTime, std::int64_t frames) {
  write(showTime, frames);
  if (terminal_) std::fputc('\n', out_);
}

void CaptureProgress::write(float showTime, std::int64_t frames) {
  if (runner_) {
    const PartReport report{runner_->part, runner_->count, PartReport::Kind::Progress, frames, runner_->frames, {}};
    std::fprintf(runner_->out, "%s\n", report.line().c_str());
    std::fflush(runner_->out);
  }
  if (terminal_) rewriteLine(out_, text(showTime, showStart_, until_, frames, pace_.wallSeconds()));
}

}  // namespace shell
