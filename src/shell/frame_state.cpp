#include "shell/frame_state.h"

#include "layers/mesh_framing.h"
#include "render/gl_table.h"

namespace shell {

void ResetFrameState() {
  kst::UseFrameFaceAndDepthState();
  gl.glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.glClearStencil(0);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace shell
