#pragma once
// The textures of the bitmap layers, named by the file they came from (or
// by a name of the show's choosing for pictures built from two files).
#include "scene/texture_image.h"
#include "stocks/object_stock.h"

namespace kst {

class BitmapStock : public ObjectStock<TextureImage> {
 public:
  // Each load needs a current GL context (the texture is built at once) and
  // throws LoadError, naming the file and the reason, when a picture cannot
  // be opened or decoded or when two pictures differ in size; the stock is
  // then unchanged. A name already present keeps its texture.

  // A full-screen picture: padded with black up to power-of-two sides, the
  // picture in the top-left corner, so that texels map one to one on pixels.
  void loadBackdrop(const char* file);
  // A single-channel picture whose bytes are alpha (masks).
  void loadAlpha(const char* file);
  // A colour picture and an alpha picture of the same size as one texture.
  void loadWithAlpha(const char* name, const char* colourFile, const char* alphaFile);

  // The data set's scale (1, 2 or 3): its pictures have that many pixels for
  // each pixel of the 800x600 layout, so that they stay sharp in a larger
  // frame. Layers measure bitmaps in layout pixels by it. 1 until set.
  void setPictureScale(int scale) { pictureScale_ = scale; }
  int pictureScale() const { return pictureScale_; }

 private:
  int pictureScale_ = 1;
};

// The bitmap stock of the program.
BitmapStock& theBitmapStock();

}  // namespace kst
