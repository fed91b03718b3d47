#pragma once
// Screen-aligned quads in normalised device coordinates (-1 left / bottom
// to +1 right / top), the way every bitmap layer draws: corners bottom-left,
// top-left, top-right, bottom-right, each with its texture coordinate
// (t = 0 is the top row of the bitmap).
#include <array>

#include "layers/brush.h"
#include "render/frame_layout.h"

class TextureImage;

namespace kst {

using BrushParameters = std::array<float, Brush::kParameterCount>;

struct ScreenPoint {
  float x;
  float y;
};

struct ScreenQuad {
  std::array<ScreenPoint, 4> corners;
  std::array<ScreenPoint, 4> texCoords;
};

// Where the layers draw: the device's picture rectangle (the whole
// drawable at 800x600), or 800 x 600 at the origin before there is a device.
PixelRect FramePicture();

// How large a bitmap is on screen, in device units, when each of its
// layout pixels (its pixels divided by the data set's scale, see
// BitmapStock::pictureScale) covers one pixel of the 800x600 layout frame.
ScreenPoint PixelSize(const TextureImage& bitmap);

// The whole bitmap on the rectangle from (x, y) up and right by (w, h).
ScreenQuad BitmapQuad(float x, float y, float w, float h);

// The rectangle of size (w, h) centred on (x, y); the texture runs from
// row `offset` (top) to `offset + 1` (bottom).
ScreenQuad CentredQuad(float x, float y, float w, float h, float offset = 0.0f);

// The whole frame, the bitmap's layout pixels mapped one to one on the
// layout frame's pixels from the top-left corner; beyond the bitmap's edge
// its wrap mode applies.
ScreenQuad FullScreenQuad(const TextureImage& bitmap);

// Projection and modelview to identity, so that vertices are in device units.
void UseScreenCoordinates();

// Blending with (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) when `translucent`;
// answers whether it was turned on, for EndTranslucency.
bool BeginTranslucency(bool translucent);
void EndTranslucency(bool begun);

// One quad in GL_QUADS, coloured (red, green, blue, alpha) from the
// parameters; with `textured` each corner gets its texture coordinate.
void DrawQuad(const ScreenQuad& quad, const BrushParameters& parameters, bool textured);

}  // namespace kst
