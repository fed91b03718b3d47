#pragma once
// Ctrl-C and SIGTERM ask the show to stop (base/stop_request.h) instead of
// ending the process where it stands. A second one while the first is still
// being acted on ends the process at once, as the signal would have, for a
// program that no longer reaches a stop point.
namespace platform {

// Before the window and the sound start, so that their libraries leave the
// two signals to us.
void catchStopSignals();

}  // namespace platform
