#pragma once
// The data set's lettering: the engine's FreeType faces (DejaVu, from
// fonts-dejavu-core), their coverage as rasters the generators paint with.
#include <string>

#include "core/raster.h"
#include "text/font_face.h"

namespace showdata {

class Font {
 public:
  // Throws std::runtime_error naming the file and the package to install
  // when it is missing, or the reason FreeType gives when it cannot be read.
  explicit Font(const std::string& fileName) : face_(fileName) {}

  // The text's coverage as a one-channel mask cut tight around the ink;
  // `tracking` adds that many pixels between letters.
  Raster render(const std::string& text, int pixelHeight, int tracking = 0) const;

  const std::string& path() const { return face_.path(); }

 private:
  text::FontFace face_;
};

// The fonts of the data set, loaded once and handed to the generators.
struct Fonts {
  Font bold{"DejaVuSans-Bold.ttf"};
  Font regular{"DejaVuSans.ttf"};
  Font serif{"DejaVuSerif.ttf"};
};

}  // namespace showdata
