#pragma once
#include "shell/show_clock.h"
#include "shell/show_options.h"

namespace shell {

// Runs frames until the quit message arrives (or the requested end time is
// reached). Each frame: viewport, show time, messages, GL reset, clear,
// timeline, layers, requested screenshots, present.
void runFrameLoop(ShowClock& clock, const ShowOptions& options);

}  // namespace shell
