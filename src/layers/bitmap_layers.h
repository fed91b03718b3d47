#pragma once
// The layers that draw one screen-aligned quad: bitmaps placed by their
// pixel size, a scrolling strip, full-screen pictures painted over or
// multiplied into the frame, a bitmap whose opaque texels mark the stencil
// buffer, and a flat coloured rectangle. Positions and sizes are the brush
// parameters, in device units. Each restores the frame's GL state, except
// the backdrop, which leaves the depth function at GL_LESS.
#include <cstdint>
#include <string>

#include "layers/brush.h"
#include "layers/screen_quad.h"

class TextureImage;

namespace kst {

// A brush drawing a bitmap of the bitmap stock, named by `bitmapName`. A
// name the stock lacks draws nothing (with one warning per name).
class TexturedBrush : public Brush {
 public:
  bool OnlyPaints() const override { return true; }

  std::string bitmapName;

 protected:
  // Evaluates the parameters into `values`, sets screen coordinates and
  // binds the bitmap on texture unit 0 alone; null, with nothing done,
  // when the stock lacks it.
  TextureImage* beginBitmap(float localTime);
  // What the brush needs of its bitmap's texture settings, applied before
  // each bind; the texture sends a setting only when it changes.
  virtual void prepareTexture(TextureImage&) {}
  // Texturing off again.
  static void endBitmap();

  BrushParameters values{};
};

// A bitmap at its pixel size, placed by an anchor on each axis.
class BitmapBrush : public TexturedBrush {
 public:
  enum HorizontalAnchor : std::int32_t { kLeft = 0, kCentre = 1, kRight = 2 };
  enum VerticalAnchor : std::int32_t { kTop = 0, kMiddle = 1, kBottom = 2 };

  void Draw(float localTime) override;
  bool ReadsEarlierDepthOrStencil() const override { return false; }

  std::int32_t horizontalAnchor = kLeft;  // other values: left edge
  std::int32_t verticalAnchor = kBottom;  // other values: bottom edge
};

// A bitmap stretched on the rectangle of parameters 2 and 3 centred on
// (x, y), scrolled vertically by `textureOffset` (in bitmap heights). The
// strip repeats along its scroll direction, whatever its texture was loaded
// with: the offset runs far beyond one bitmap height.
class SampleBrush : public TexturedBrush {
 public:
  void Draw(float localTime) override;

  float textureOffset = 0.0f;

 protected:
  void prepareTexture(TextureImage& bitmap) override;
};

// A full-screen picture drawn under everything that follows (depth writes
// off). With `alphaMix` it replaces the picture only where earlier layers
// left alpha 1, and keeps the frame's alpha.
class BrushBackdrop : public TexturedBrush {
 public:
  void Draw(float localTime) override;
  // Unless it mixes by the frame's alpha, a visible backdrop whose bitmap
  // is in the stock paints the whole frame.
  bool CoversFrame(float localTime) const override;
  bool ReadsEarlierDepthOrStencil() const override { return false; }

  bool alphaMix = false;
};

// A full-screen picture the frame is multiplied by (vignettes, tints).
class BrushFrontdrop : public TexturedBrush {
 public:
  void Draw(float localTime) override;
  bool ReadsEarlierDepthOrStencil() const override { return false; }
};

// Writes stencil 1 under every texel of the bitmap with non-zero alpha, at
// its pixel size with its lower-left corner at (x, y); draws no colour.
class BrushAlphaToStencil : public TexturedBrush {
 public:
  void Draw(float localTime) override;
};

// An untextured rectangle of parameters 2 and 3 centred on (x, y).
class BrushFlat : public Brush {
 public:
  void Draw(float localTime) override;
  bool OnlyPaints() const override { return true; }
  bool ReadsEarlierDepthOrStencil() const override { return false; }
};

}  // namespace kst
