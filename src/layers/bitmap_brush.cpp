#include "layers/bitmap_layers.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"

namespace kst {

namespace {

// How far the anchor is from the lower-left corner, as a fraction of the size.
float horizontalShift(std::int32_t anchor) {
  if (anchor == BitmapBrush::kCentre) return 0.5f;
  if (anchor == BitmapBrush::kRight) return 1.0f;
  return 0.0f;
}

float verticalShift(std::int32_t anchor) {
  if (anchor == BitmapBrush::kTop) return 1.0f;
  if (anchor == BitmapBrush::kMiddle) return 0.5f;
  return 0.0f;
}

}  // namespace

void BitmapBrush::Draw(float localTime) {
  if (!visible) return;
  TextureImage* bitmap = beginBitmap(localTime);
  if (bitmap == nullptr) return;
  const bool blended = BeginTranslucency(values[kAlpha] < 1.0f || bitmap->hasAlpha);
  const ScreenPoint size = PixelSize(*bitmap);
  const float x = values[kX] - size.x * horizontalShift(horizontalAnchor);
  const float y = values[kY] - size.y * verticalShift(verticalAnchor);
  gl.glDisable(GL_DEPTH_TEST);
  DrawQuad(BitmapQuad(x, y, size.x, size.y), values, true);
  gl.glEnable(GL_DEPTH_TEST);
  EndTranslucency(blended);
  endBitmap();
}

}  // namespace kst
