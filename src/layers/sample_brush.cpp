#include "layers/bitmap_layers.h"
#include "scene/texture_image.h"

namespace kst {

void SampleBrush::prepareTexture(TextureImage& bitmap) { bitmap.setWrapT(GL_REPEAT); }

void SampleBrush::Draw(float localTime) {
  TextureImage* bitmap = beginBitmap(localTime);
  if (bitmap == nullptr) return;
  const bool blended = BeginTranslucency(values[kAlpha] < 1.0f || bitmap->hasAlpha);
  DrawQuad(CentredQuad(values[kX], values[kY], values[kWidth], values[kHeight], textureOffset), values, true);
  EndTranslucency(blended);
  endBitmap();
}

}  // namespace kst
