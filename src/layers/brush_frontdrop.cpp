#include "layers/bitmap_layers.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"

namespace kst {

void BrushFrontdrop::Draw(float localTime) {
  TextureImage* bitmap = beginBitmap(localTime);
  if (bitmap == nullptr) return;
  gl.glDepthMask(GL_FALSE);
  gl.glDisable(GL_DEPTH_TEST);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_ZERO, GL_SRC_COLOR);  // frame x texel x vertex colour
  DrawQuad(FullScreenQuad(*bitmap), values, true);
  gl.glDisable(GL_BLEND);
  gl.glEnable(GL_DEPTH_TEST);
  gl.glDepthMask(GL_TRUE);
  endBitmap();
}

}  // namespace kst
