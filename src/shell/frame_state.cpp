#include "shell/frame_state.h"

#include "render/gl_table.h"

namespace shell {

void ResetFrameState() {
  gl.glEnable(GL_CULL_FACE);
  gl.glCullFace(GL_BACK);
  gl.glFrontFace(GL_CW);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthFunc(GL_LEQUAL);
  gl.glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.glClearStencil(0);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace shell
