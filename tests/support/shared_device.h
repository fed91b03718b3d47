#pragma once
// The one window and rendering device of a test program that draws on the
// software GL driver.

namespace fake {

// Made by the first call (whose title and size win), never shut down: the
// host keeps its one window until exit, and shutting SDL's video down would
// unload the GL driver, after which the leak checker could no longer tell the
// driver's own lasting allocations from ours. A run of the whole program
// (fake::runHeadlessShow) installs a host and a device of its own and ends
// both; the next call installs this host again and makes a new device on its
// window, so a suite finds the device whichever suites ran before it. False
// when it cannot be made.
bool sharedRenderDevice(const char* title, int width, int height);

}  // namespace fake
