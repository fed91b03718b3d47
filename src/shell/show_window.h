#pragma once
#include "platform/host.h"

namespace shell {

// Display mode, window and cursor for the show: 800x600 at 32 bits and the
// configured refresh rate when full screen, a captioned 800x600 window
// otherwise.
bool createShowWindow(bool fullScreen);

// The window procedure: Escape, pressed or released, closes the window;
// closing destroys it; destroying posts the quit message.
void windowProcedure(const platform::Message& message);

}  // namespace shell
