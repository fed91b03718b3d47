#pragma once
#include "shell/show_options.h"

namespace shell {

// The program: question, window, device, show, frame loop. Returns 0 when
// the user cancels, -1 when the window, display mode, GL device or a
// required extension cannot be had or a capture fails (after the display is
// restored, with the file and the reason on standard error), 1 after a
// normal end.
int WinMain(const ShowOptions& options);

// The start-up choice handed to the show preparation: true when scenes are
// loaded in the background during the show.
bool preloadChoice();

}  // namespace shell
