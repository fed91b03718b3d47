#include "layers/bitmap_layers.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace kst {

void BrushFlat::Draw(float localTime) {
  BrushParameters values{};
  EvaluateParameters(localTime, values);
  glStateCache.SetTextureMask(0);
  UseScreenCoordinates();
  const bool blended = BeginTranslucency(values[kAlpha] < 1.0f);
  gl.glDisable(GL_DEPTH_TEST);
  DrawQuad(CentredQuad(values[kX], values[kY], values[kWidth], values[kHeight]), values, false);
  gl.glEnable(GL_DEPTH_TEST);
  EndTranslucency(blended);
}

}  // namespace kst
