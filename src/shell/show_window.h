#pragma once
#include "platform/host.h"
#include "shell/show_options.h"

namespace shell {

// Display mode, window and cursor for the show. Full screen: the display
// mode of the frame's size (800x600 unless --size says otherwise) at 32
// bits and the configured refresh rate; with --size desktop a borderless
// window over the whole display, the mode left alone. --windowed: a
// captioned window of the frame's size that the user may resize.
bool createShowWindow(const ShowOptions& options);

// The window procedure: Escape, pressed or released, closes the window;
// closing destroys it; destroying posts the quit message.
void windowProcedure(const platform::Message& message);

}  // namespace shell
