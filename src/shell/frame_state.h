#pragma once
// The GL state every frame starts from, whatever the layers of the frame
// before left behind: back faces culled with clockwise front faces, depth
// test with GL_LEQUAL, colour (black, alpha 0), depth and stencil (0) cleared.

namespace shell {

void ResetFrameState();

}  // namespace shell
