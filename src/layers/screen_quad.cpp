#include "layers/screen_quad.h"

#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/texture_image.h"
#include "stocks/bitmap_stock.h"

namespace kst {

namespace {

constexpr std::array<ScreenPoint, 4> kWholeBitmap{{{0, 1}, {0, 0}, {1, 0}, {1, 1}}};
constexpr ScreenPoint kLayoutFrame{static_cast<float>(kLayoutWidth), static_cast<float>(kLayoutHeight)};

// The bitmap's size in layout pixels: a picture of a data set drawn at
// scale 2 has twice the pixels of its place in the layout.
ScreenPoint LayoutPixels(const TextureImage& bitmap) {
  const auto scale = static_cast<float>(theBitmapStock().pictureScale());
  return {static_cast<float>(bitmap.pictureWidth) / scale, static_cast<float>(bitmap.pictureHeight) / scale};
}

}  // namespace

PixelRect FramePicture() {
  const KS_3Ddevice* device = RenderDevice();
  if (device == nullptr || device->width <= 0 || device->height <= 0) return {0, 0, kLayoutWidth, kLayoutHeight};
  return device->picture();
}

ScreenPoint PixelSize(const TextureImage& bitmap) {
  const ScreenPoint pixels = LayoutPixels(bitmap);
  return {pixels.x / kLayoutFrame.x * 2.0f, pixels.y / kLayoutFrame.y * 2.0f};
}

ScreenQuad BitmapQuad(float x, float y, float w, float h) {
  return {{{{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}}, kWholeBitmap};
}

ScreenQuad CentredQuad(float x, float y, float w, float h, float offset) {
  ScreenQuad quad = BitmapQuad(x - w / 2, y - h / 2, w, h);
  for (ScreenPoint& texCoord : quad.texCoords) texCoord.y += offset;
  return quad;
}

ScreenQuad FullScreenQuad(const TextureImage& bitmap) {
  const ScreenPoint pixels = LayoutPixels(bitmap);
  // A bitmap without a size has nothing to map: its first texel stretches.
  const float sx = bitmap.pictureWidth > 0 ? kLayoutFrame.x / pixels.x : 1.0f;
  const float sy = bitmap.pictureHeight > 0 ? kLayoutFrame.y / pixels.y : 1.0f;
  return {{{{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}}, {{{0, sy}, {0, 0}, {sx, 0}, {sx, sy}}}};
}

void UseScreenCoordinates() {
  for (GLint mode : {GL_PROJECTION, GL_MODELVIEW}) {
    glStateCache.SetMatrixMode(mode);
    gl.glLoadIdentity();
  }
}

bool BeginTranslucency(bool translucent) {
  if (!translucent) return false;
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return true;
}

void EndTranslucency(bool begun) {
  if (begun) gl.glDisable(GL_BLEND);
}

void DrawQuad(const ScreenQuad& quad, const BrushParameters& parameters, bool textured) {
  gl.glColor4f(parameters[Brush::kRed], parameters[Brush::kGreen], parameters[Brush::kBlue],
               parameters[Brush::kAlpha]);
  gl.glBegin(GL_QUADS);
  for (std::size_t i = 0; i < quad.corners.size(); ++i) {
    if (textured) gl.glTexCoord2f(quad.texCoords[i].x, quad.texCoords[i].y);
    gl.glVertex2f(quad.corners[i].x, quad.corners[i].y);
  }
  gl.glEnd();
}

}  // namespace kst
