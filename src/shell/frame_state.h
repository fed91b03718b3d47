#pragma once
// The GL state every frame starts from, whatever the layers of the frame
// before left behind: back faces culled with clockwise front faces, depth
// test with GL_LEQUAL, colour (black, alpha 0), depth and stencil (0) cleared.

namespace shell {

void ResetFrameState();

// The bars around the show's picture black, for a picture drawn without a
// clear (the loading picture); nothing where the picture fills the drawable.
void ClearBars();

}  // namespace shell
