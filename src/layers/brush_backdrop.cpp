#include "layers/bitmap_layers.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"
#include "stocks/bitmap_stock.h"

namespace kst {

void BrushBackdrop::Draw(float localTime) {
  if (!visible) return;
  TextureImage* bitmap = beginBitmap(localTime);
  if (bitmap == nullptr) return;
  gl.glDepthMask(GL_FALSE);
  gl.glDepthFunc(GL_ALWAYS);
  if (alphaMix) {
    // bitmap x frame alpha + frame x (1 - frame alpha); the frame keeps its alpha.
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA);
  }
  DrawQuad(FullScreenQuad(*bitmap), values, true);
  if (alphaMix) {
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.glDisable(GL_BLEND);
  }
  // Later layers of the frame see GL_LESS, not the frame's GL_LEQUAL.
  gl.glDepthFunc(GL_LESS);
  gl.glDepthMask(GL_TRUE);
  endBitmap();
}

bool BrushBackdrop::CoversFrame(float) const {
  return visible && !alphaMix && theBitmapStock().get(bitmapName.c_str()) != nullptr;
}

}  // namespace kst
