#include "shell/part_join.h"

#include <cstdio>
#include <filesystem>

#include "capture/capture_error.h"
#include "capture/joined_video.h"
#include "capture/part_check.h"
#include "shell/show_sound.h"
#include "shell/start_up.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNotCaptured = "not captured";

bool exists(const std::string& file) {
  std::error_code error;
  return fs::exists(file, error);
}

int failJoin(const PartPlan& plan, const std::string& reason) {
  std::fprintf(stderr, "skyward: cannot join %s: %s\n", plan.options().capture->c_str(), reason.c_str());
  return -1;
}

// Every part not whole, said; true when there was none.
bool allPartsWhole(const PartPlan& plan) {
  bool whole = true;
  for (int part = 1; part <= plan.count(); ++part) {
    if (const std::optional<std::string> problem = partProblem(plan, part)) {
      failJoin(plan, plan.name(part) + " (" + plan.file(part) + "): " + *problem);
      whole = false;
    }
  }
  return whole;
}

void join(const PartPlan& plan) {
  ShowSound sound(plan.clock());
  capture::VideoSettings settings;
  settings.fps = *plan.options().fps;
  capture::JoinedVideo video(plan.unfinishedOutput(), settings,
                             [&sound](std::int64_t frames) { return sound.mixFrames(static_cast<std::uint64_t>(frames)); });
  for (int part = 1; part <= plan.count(); ++part) video.addPart(plan.file(part));
  video.close();
}

}  // namespace

std::optional<std::string> partProblem(const PartPlan& plan, int part) {
  if (exists(plan.file(part))) {
    return capture::partFault(plan.file(part), plan.description(part), static_cast<std::int64_t>(plan.framesOf(part)));
  }
  if (std::optional<std::string> failure = partFailure(plan, part)) return *failure;
  if (exists(plan.unfinishedFile(part))) return "begun and never finished (its job was killed, or its host dropped)";
  return kNotCaptured;
}

int listMissingParts(const ShowOptions& options) {
  const PartPlan plan(options, *options.missingParts);
  for (int part = 1; part <= plan.count(); ++part) {
    const std::optional<std::string> problem = partProblem(plan, part);
    if (!problem) continue;
    if (*problem != kNotCaptured) std::fprintf(stderr, "skyward: %s again: %s\n", plan.name(part).c_str(), problem->c_str());
    std::printf("%d\n", part);
  }
  std::fflush(stdout);
  return 0;
}

int joinParts(const ShowOptions& options) {
  const PartPlan plan(options, *options.joinParts);
  if (!allPartsWhole(plan)) return failJoin(plan, "nothing written");
  if (!dataFolderFound()) return failJoin(plan, "no demo folder here for the show's sound (make it with 'make data')");
  try {
    join(plan);
  } catch (const capture::CaptureError& error) {
    return failJoin(plan, error.reason());
  }
  std::error_code error;
  fs::rename(plan.unfinishedOutput(), *plan.options().capture, error);
  if (error) return failJoin(plan, "cannot rename " + plan.unfinishedOutput() + ": " + error.message());
  std::printf("skyward: joined %d parts into %s: %llu frames\n", plan.count(), plan.options().capture->c_str(),
              static_cast<unsigned long long>(plan.frames()));
  return 0;
}

}  // namespace shell
