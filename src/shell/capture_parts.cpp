#include "shell/capture_parts.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace shell {
namespace {

namespace fs = std::filesystem;

std::string shortNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// The start in steps of the grid: a whole number, give or take what a
// decimal start typed in loses (192.1 x 10 is 1921.0000000000002).
bool onTheGrid(double start, int fps) {
  const double steps = start * fps;
  return std::abs(steps - std::round(steps)) <= 1e-6 * std::max(1.0, steps);
}

}  // namespace

PartPlan::PartPlan(ShowOptions options, int count) : count_(count) {
  settleCaptureDefaults(options);
  options.part.reset();
  options_ = std::move(options);
  clock_ = ShowClock(options_.fps, options_.start);
  if (!options_.capture || !options_.fps || !options_.until) throw std::invalid_argument("a capture cut into parts needs --capture");
  if (!onTheGrid(options_.start, *options_.fps))
    throw std::invalid_argument("a capture cut into parts starts on the frame grid: --start " +
                                shortNumber(options_.start) + " times --fps " + std::to_string(*options_.fps) + " is not a whole number");
  frames_ = clock_.framesBefore(*options_.until);
  if (count_ < 1 || static_cast<std::uint64_t>(count_) > frames_)
    throw std::invalid_argument("cannot cut " + std::to_string(frames_) + " frames into " + std::to_string(count_) +
                                " parts");
}

// Parts differ by a frame at most.
std::uint64_t PartPlan::firstFrame(int part) const {
  return frames_ * static_cast<std::uint64_t>(part - 1) / static_cast<std::uint64_t>(count_);
}

ShowOptions PartPlan::partOptions(int part) const {
  ShowOptions played = options_;
  played.start = clock_.frameStart(firstFrame(part));
  played.until = part == count_ ? *options_.until : clock_.frameTime(firstFrame(part + 1));
  played.capture = unfinishedFile(part);
  return played;
}

std::string PartPlan::name(int part) const {
  return "part " + std::to_string(part) + " of " + std::to_string(count_);
}

std::string PartPlan::folder() const { return fs::path(*options_.capture).replace_extension(".parts").string(); }

std::string PartPlan::partPath(int part, const char* ending) const {
  const std::string base = "part-" + std::to_string(part) + "-of-" + std::to_string(count_);
  return (fs::path(folder()) / (base + ending)).string();
}

std::string PartPlan::file(int part) const { return partPath(part, ".mp4"); }
std::string PartPlan::unfinishedFile(int part) const { return partPath(part, ".unfinished.mp4"); }
std::string PartPlan::failureNote(int part) const { return partPath(part, ".failed"); }

std::string PartPlan::unfinishedOutput() const {
  fs::path output(*options_.capture);
  const std::string extension = output.extension().string();
  return output.replace_extension(".unfinished" + extension).string();
}

std::string PartPlan::description(int part) const {
  const std::uint64_t first = static_cast<std::uint64_t>(std::llround(options_.start * *options_.fps)) + firstFrame(part);
  return "frames " + std::to_string(first) + " to " + std::to_string(first + framesOf(part) - 1) + " at " +
         std::to_string(*options_.fps) + " a second, crf " + std::to_string(options_.crf);
}

void notePartFailure(const PartPlan& plan, int part, const std::string& reason) {
  std::ofstream(plan.failureNote(part)) << reason << '\n';
}

void forgetPartFailure(const PartPlan& plan, int part) {
  std::error_code ignored;
  fs::remove(plan.failureNote(part), ignored);
}

std::optional<std::string> partFailure(const PartPlan& plan, int part) {
  std::ifstream note(plan.failureNote(part));
  std::string reason;
  if (!std::getline(note, reason) || reason.empty()) return std::nullopt;
  return reason;
}

}  // namespace shell
