#include "layers/bitmap_layers.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"

namespace kst {

void BrushAlphaToStencil::Draw(float localTime) {
  TextureImage* bitmap = beginBitmap(localTime);
  if (bitmap == nullptr) return;
  gl.glEnable(GL_ALPHA_TEST);
  gl.glAlphaFunc(GL_NOTEQUAL, 0.0f);
  gl.glEnable(GL_STENCIL_TEST);
  gl.glStencilFunc(GL_ALWAYS, 1, ~0u);
  gl.glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  gl.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  const ScreenPoint size = PixelSize(*bitmap);
  DrawQuad(BitmapQuad(values[kX], values[kY], size.x, size.y), values, true);
  gl.glDisable(GL_ALPHA_TEST);
  gl.glDisable(GL_STENCIL_TEST);
  gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  endBitmap();
}

}  // namespace kst
