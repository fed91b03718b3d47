#pragma once
#include "shell/show_clock.h"
#include "shell/show_options.h"

namespace shell {

class DevMode;
class ShowCapture;

// Runs frames until the quit message arrives (or the requested end time is
// reached). Each frame: the drawable's size, the frame to draw into,
// viewport, show time, messages, GL reset, clear, timeline, layers, the
// multisampled frame resolved, requested screenshots, the capture's frame,
// present.
// With the development mode, its keys act after the messages (the frame is
// drawn at the moment they lead to) and its notes are drawn after the
// screenshots and the capture have read the frame; a headless show it
// leaves paused for good ends.
void runFrameLoop(ShowClock& clock, const ShowOptions& options, ShowCapture* capture = nullptr, DevMode* dev = nullptr);

}  // namespace shell
