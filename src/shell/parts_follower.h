#pragma once
// --follow-parts N: the progress of a capture's parts, read from the job
// runner that captures them (the parts' lines on its standard output, see
// part_report.h), kept as one line for the whole capture on the terminal:
// parts done, frames written across all of them, frames per second and the
// time left at that pace. Every other line is passed on to standard output.
//
// The follower runs where the parts are joined, so it keeps there why a part
// failed, wherever it ran: the part's own reason; for a part that began and
// never said it ended, that its job was killed or its host dropped; for one
// captured and not here when the runner is done, that it was never brought
// back.
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "shell/capture_parts.h"
#include "shell/capture_progress.h"
#include "shell/part_report.h"

namespace shell {

class PartsFollower {
 public:
  // `terminal` gets the line; none when null. The parts already whole
  // (their files in place) count as done.
  PartsFollower(const PartPlan& plan, std::FILE* terminal);

  // One line of the runner's output, without its end.
  void take(const std::string& line);
  // The runner's output ended.
  void finish();

 private:
  struct Part {
    std::int64_t frames = 0;
    bool begun = false;
    bool ended = false;
    bool captured = false;
  };
  void takeReport(const PartReport& report);
  void expect(int part);
  void redraw();

  const PartPlan& plan_;
  std::FILE* terminal_;
  RedrawPace pace_;
  std::map<int, Part> parts_;  // those to capture, by number
  int done_ = 0;
  std::int64_t total_ = 0;  // frames of the parts to capture
};

// Follows until `in` ends; 0.
int followParts(const ShowOptions& options, std::FILE* in);

}  // namespace shell
