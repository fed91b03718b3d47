#include "shell/frame_state.h"

#include "layers/mesh_framing.h"
#include "render/device.h"
#include "render/gl_table.h"

namespace shell {

void ResetFrameState() {
  kst::UseFrameFaceAndDepthState();
  gl.glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.glClearStencil(0);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void ClearBars() {
  const KS_3Ddevice* device = RenderDevice();
  if (device == nullptr || device->picture() == kst::PixelRect{0, 0, device->width, device->height}) return;
  gl.glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace shell
