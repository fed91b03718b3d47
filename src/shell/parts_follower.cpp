#include "shell/parts_follower.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>


namespace shell {

PartsFollower::PartsFollower(const PartPlan& plan, std::FILE* terminal) : plan_(plan), terminal_(terminal) {
  for (int part = 1; part <= plan_.count(); ++part) {
    std::error_code error;
    if (std::filesystem::exists(plan_.file(part), error)) {
      ++done_;
    } else {
      expect(part);
    }
  }
}

void PartsFollower::expect(int part) {
  if (parts_.count(part) != 0) return;
  parts_[part];
  total_ += static_cast<std::int64_t>(plan_.framesOf(part));
}

void PartsFollower::take(const std::string& line) {
  const std::optional<PartReport> report = PartReport::read(line);
  if (report && report->count == plan_.count() && report->part >= 1 && report->part <= plan_.count()) {
    takeReport(*report);
  } else {
    if (terminal_ != nullptr) rewriteLine(terminal_, "");  // the line goes above the progress, not into it
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
  if (pace_.due()) redraw();
}

// A part already whole that is captured again (it was damaged) joins the
// count when it first reports.
void PartsFollower::takeReport(const PartReport& report) {
  if (parts_.count(report.part) == 0) {
    --done_;
    expect(report.part);
  }
  Part& part = parts_[report.part];
  part.begun = true;
  switch (report.kind) {
    case PartReport::Kind::Progress:
      part.frames = report.frames;
      return;
    case PartReport::Kind::Captured:
      part.ended = true;
      part.captured = true;
      part.frames = static_cast<std::int64_t>(plan_.framesOf(report.part));
      ++done_;
      forgetPartFailure(plan_, report.part);
      return;
    case PartReport::Kind::Failed:
      part.ended = true;
      notePartFailure(plan_, report.part, report.reason);
      return;
  }
}

void PartsFollower::redraw() {
  if (terminal_ == nullptr) return;
  std::int64_t written = 0;
  for (const auto& [number, part] : parts_) written += part.frames;
  rewriteLine(terminal_, CaptureProgress::partsText(done_, plan_.count(), written, total_, pace_.wallSeconds()));
}

// A part captured on another machine is brought back after its job: one
// that is not here was lost on the way.
void PartsFollower::finish() {
  for (const auto& [number, part] : parts_) {
    std::error_code error;
    if (part.begun && !part.ended)
      notePartFailure(plan_, number, "its job ended before the part was captured (the job was killed, or its host dropped)");
    if (part.captured && !std::filesystem::exists(plan_.file(number), error))
      notePartFailure(plan_, number, "captured, and never brought here (its transfer failed, or its host dropped)");
  }
  redraw();
  if (terminal_ != nullptr) std::fputc('\n', terminal_);
}

int followParts(const ShowOptions& options, std::FILE* in) {
  const PartPlan plan(options, *options.followParts);
  std::error_code error;
  std::filesystem::create_directories(plan.folder(), error);
  PartsFollower follower(plan, isatty(fileno(stderr)) != 0 ? stderr : nullptr);
  char* line = nullptr;
  std::size_t size = 0;
  for (ssize_t length; (length = getline(&line, &size, in)) >= 0;) {
    std::string text(line, static_cast<std::size_t>(length));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    follower.take(text);
  }
  std::free(line);
  follower.finish();
  return 0;
}

}  // namespace shell
