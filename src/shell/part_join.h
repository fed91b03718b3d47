#pragma once
// The parts of a capture cut into parts, taken together: which are still
// to be captured, and the join of all of them under the show's sound into
// the capture's own file (see capture_parts.h for where everything lives).
#include <optional>
#include <string>

#include "shell/capture_parts.h"
#include "shell/show_options.h"

namespace shell {

// Why the part cannot be taken (not captured, its job killed, a fault of
// the program's, damaged), or nothing when it is whole.
std::optional<std::string> partProblem(const PartPlan& plan, int part);

// --missing-parts N: the numbers of the parts to capture (missing or not
// whole), one a line on standard output, for a job runner; why each is
// missing on standard error, for a damaged or failed part. 0.
int listMissingParts(const ShowOptions& options);

// --join N: with every part whole, their pictures copied one after another
// and the show's sound mixed once under them, into the capture's file
// (written under its unfinished name until it is whole); 0. Otherwise
// every part that is not whole named with why, no file written; -1. Needs
// the show's data folder for the sound.
int joinParts(const ShowOptions& options);

}  // namespace shell
