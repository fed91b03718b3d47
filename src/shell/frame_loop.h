#pragma once
#include "shell/show_clock.h"
#include "shell/show_options.h"

namespace shell {

class ShowCapture;

// Runs frames until the quit message arrives (or the requested end time is
// reached). Each frame: viewport, show time, messages, GL reset, clear,
// timeline, layers, requested screenshots, the capture's frame, present.
void runFrameLoop(ShowClock& clock, const ShowOptions& options, ShowCapture* capture = nullptr);

}  // namespace shell
