#include "render/panel_drawing.h"

#include <algorithm>
#include <cmath>

#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace kst {
namespace {

constexpr int kNotesPixelHeight = 13;
constexpr int kNotesMargin = 8;

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

void drawPanel(const text::Panel& panel, const PixelRect& area, int margin) {
  if (panel.width == 0 || panel.height == 0) return;
  // Texels would colour the pixels drawn; the cache must know they are off
  // before the attributes are saved, or their restore would undo it behind
  // the cache's back.
  glStateCache.SetTextureMask(0);
  gl.glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT);
  const GLint previousMode = glStateCache.matrixMode;
  pushIdentity(GL_PROJECTION);
  pushIdentity(GL_MODELVIEW);
  gl.glViewport(area.x, area.y, area.width, area.height);
  for (GLenum test : {GL_DEPTH_TEST, GL_STENCIL_TEST, GL_ALPHA_TEST, GL_FOG, GL_LIGHTING})
    gl.glDisable(test);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  gl.glPixelZoom(1.0f, 1.0f);
  // The panel's lower-left corner, in the frame's normalised units.
  const float left = -1.0f + 2.0f * static_cast<float>(margin) / static_cast<float>(area.width);
  const float bottom = 1.0f - 2.0f * static_cast<float>(margin + panel.height) / static_cast<float>(area.height);
  gl.glRasterPos2f(left, bottom);
  gl.glDrawPixels(panel.width, panel.height, GL_RGBA, GL_UNSIGNED_BYTE, panel.rgba.data());
  popMatrix(GL_MODELVIEW);
  popMatrix(GL_PROJECTION);
  if (previousMode != 0) glStateCache.SetMatrixMode(previousMode);
  gl.glPopAttrib();
}

void drawNotes(const text::FontFace& font, const std::vector<std::string>& lines) {
  const KS_3Ddevice* device = RenderDevice();
  if (device == nullptr) return;
  const PixelRect picture = device->picture();
  const double growth = std::max(1.0, static_cast<double>(picture.height) / kLayoutHeight);
  const auto grown = [growth](int pixels) { return static_cast<int>(std::lround(pixels * growth)); };
  drawPanel(text::composePanel(font, lines, grown(kNotesPixelHeight)), picture, grown(kNotesMargin));
}

}  // namespace kst
