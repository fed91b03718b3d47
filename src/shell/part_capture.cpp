#include "shell/part_capture.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "capture/part_check.h"
#include "shell/capture_parts.h"
#include "shell/part_report.h"
#include "shell/show_capture.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

// The line for the job runner, when one reads standard output.
void tellRunner(const PartReport& report) {
  if (isatty(fileno(stdout)) != 0) return;
  std::printf("%s\n", report.line().c_str());
  std::fflush(stdout);
}

// What the played show left, or why it is not the part.
std::optional<std::string> faultAfterPlaying(const PartPlan& plan, int index, int played) {
  if (played != 1)
    return "the program ended with exit code " + std::to_string(played & 0xFF) + " before the part was captured";
  const std::string file = plan.unfinishedFile(index);
  std::optional<std::string> fault = capture::partFault(file, plan.description(index), plan.framesOf(index));
  if (fault) return "cut short: " + *fault;
  std::error_code error;
  fs::rename(file, plan.file(index), error);
  if (error) return "cannot rename " + file + " to " + plan.file(index) + ": " + error.message();
  return std::nullopt;
}

}  // namespace

int capturePart(const ShowOptions& options, const ShowPreparation& prepare) {
  const PartPlan plan(options, options.part->count);
  const int index = options.part->index;
  std::optional<std::string> failure;
  const PartOfCapture part{index, plan.count(), plan.description(index), static_cast<std::int64_t>(plan.framesOf(index)),
                           [&failure](const std::string& reason) { failure = reason; }};
  std::error_code error;
  fs::create_directories(plan.folder(), error);
  if (error) failure = "cannot make the folder " + plan.folder() + ": " + error.message();
  if (!failure) {
    forgetPartFailure(plan, index);
    const int played = WinMain(plan.partOptions(index), prepare, buildShowAgain, &part);
    if (!failure) failure = faultAfterPlaying(plan, index, played);
  }
  if (!failure) {
    tellRunner({index, plan.count(), PartReport::Kind::Captured, 0, 0, {}});
    return 1;
  }
  fs::remove(plan.unfinishedFile(index), error);
  std::fprintf(stderr, "skyward: %s not captured: %s\n", plan.name(index).c_str(), failure->c_str());
  notePartFailure(plan, index, *failure);
  tellRunner({index, plan.count(), PartReport::Kind::Failed, 0, 0, *failure});
  return -1;
}

}  // namespace shell
