#pragma once
// A capture cut into parts, so that several processes (on one machine or on
// many) each draw a stretch of the show at the same time, to be joined
// afterwards. The frames a one-process capture writes (from --start up to
// --until at the fixed step) are cut into runs of nearly equal length,
// each beginning at a frame of the grid; together they hold every frame
// once, and each frame keeps the time the one-process capture gives it.
//
// Where the parts live: for the capture out/skyward.mp4, the folder
// out/skyward.parts holds part-3-of-10.mp4 (part 3 of 10, whole), written
// as part-3-of-10.unfinished.mp4 until it is, and part-3-of-10.failed (a
// line saying why the last try failed) while it is missing. The joined file
// is written as out/skyward.unfinished.mp4 until it is whole.
#include <cstdint>
#include <optional>
#include <string>

#include "shell/show_clock.h"
#include "shell/show_options.h"

namespace shell {

class PartPlan {
 public:
  // From the command line's capture, start, end, step and quality (the
  // capture's defaults settled here). Throws std::invalid_argument, with
  // words for the command line, when the cut cannot be made: a start off
  // the frame grid, more parts than frames, or no part at all.
  PartPlan(ShowOptions options, int count);

  int count() const { return count_; }
  std::uint64_t frames() const { return frames_; }
  // Parts are numbered from 1. A part's first frame is counted from the
  // capture's start.
  std::uint64_t firstFrame(int part) const;
  std::uint64_t framesOf(int part) const { return firstFrame(part + 1) - firstFrame(part); }
  // The command line that captures the part alone: the show from its first
  // frame to the next part's, pictures only, into its unfinished file.
  ShowOptions partOptions(int part) const;
  // The whole capture's options and its clock (its frames' times).
  const ShowOptions& options() const { return options_; }
  const ShowClock& clock() const { return clock_; }

  std::string name(int part) const;  // "part 3 of 10"
  std::string file(int part) const;
  std::string unfinishedFile(int part) const;
  std::string failureNote(int part) const;
  std::string folder() const;
  std::string unfinishedOutput() const;
  // What the part's pictures are, kept in its file: a part is taken only
  // where it is described alike (the same frames, step and quality).
  std::string description(int part) const;

 private:
  std::string partPath(int part, const char* ending) const;

  ShowOptions options_;
  ShowClock clock_;
  std::uint64_t frames_ = 0;
  int count_ = 0;
};

// Why the part's last try failed, kept beside it for the join to say; a
// note goes when the part is whole.
void notePartFailure(const PartPlan& plan, int part, const std::string& reason);
void forgetPartFailure(const PartPlan& plan, int part);
std::optional<std::string> partFailure(const PartPlan& plan, int part);

}  // namespace shell
