#include "render/panel_drawing.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace kst {
namespace {

// Identity matrices for the raster position, both stacks kept.
void pushIdentity(GLint mode) {
  glStateCache.SetMatrixMode(mode);
  gl.glPushMatrix();
  gl.glLoadIdentity();
}

void popMatrix(GLint mode) {
  glStateCache.SetMatrixMode(mode);
  gl.glPopMatrix();
}

}  // namespace

void drawPanel(const text::Panel& panel, int frameWidth, int frameHeight, int margin) {
  if (panel.width == 0 || panel.height == 0) return;
  // Texels would colour the pixels drawn; the cache must know they are off
  // before the attributes are saved, or their restore would undo it behind
  // the cache's back.
  glStateCache.SetTextureMask(0);
  gl.glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
  const GLint previousMode = glStateCache.matrixMode;
  pushIdentity(GL_PROJECTION);
  pushIdentity(GL_MODELVIEW);
  gl.glViewport(0, 0, frameWidth, frameHeight);
  for (GLenum test : {GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_FOG, GL_LIGHTING})
    gl.glDisable(test);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gl.glPixelZoom(1.0f, 1.0f);
  // The panel's lower-left corner, in the frame's normalised units.
  const float left = -1.0f + 2.0f * static_cast<float>(margin) / static_cast<float>(frameWidth);
  const float bottom = 1.0f - 2.0f * static_cast<float>(margin + panel.height) / static_cast<float>(frameHeight);
  gl.glRasterPos2f(left, bottom);
  gl.glDrawPixels(panel.width, panel.height, GL_RGBA, GL_UNSIGNED_BYTE, panel.rgba.data());
  popMatrix(GL_MODELVIEW);
  popMatrix(GL_PROJECTION);
  if (previousMode != 0) glStateCache.SetMatrixMode(previousMode);
  gl.glPopAttrib();
}

}  // namespace kst
