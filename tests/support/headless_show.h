#pragma once
// Runs the whole program over the real platform and the software driver, as
// `skyward --headless --preload --fps 30 --until UNTIL --screenshot ...`.
#include <vector>

#include "shell/show_options.h"

namespace fake {

// The program's exit code.
int runHeadlessShow(float until, const std::vector<shell::Screenshot>& screenshots);

// The same with options of the caller's (headless is set here).
int runHeadlessShow(shell::ShowOptions options);

}  // namespace fake
