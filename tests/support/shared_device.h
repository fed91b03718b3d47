#pragma once
// The one window and rendering device of a test program that draws on the
// software GL driver.

namespace fake {

// Made by the first call (whose title and size win), never shut down: the
// host keeps its one window until exit, and shutting SDL's video down would
// unload the GL driver, after which the leak checker could no longer tell the
// driver's own lasting allocations from ours. False when it cannot be made.
bool sharedRenderDevice(const char* title, int width, int height);

}  // namespace fake
