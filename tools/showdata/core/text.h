#pragma once
// Lettering through FreeType with a font from a Debian package (DejaVu, from
// fonts-dejavu-core), found at run time under the system's font folders.
#include <memory>
#include <string>

#include "core/raster.h"

namespace showdata {

class Font {
 public:
  // Searches /usr/share/fonts and /usr/local/share/fonts for the file name.
  // Throws std::runtime_error naming the file and the package to install
  // when it is missing, or the reason FreeType gives when it cannot be read.
  explicit Font(const std::string& fileName);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  // The text's coverage as a one-channel mask cut tight around the ink;
  // `tracking` adds that many pixels between letters.
  Raster render(const std::string& text, int pixelHeight, int tracking = 0) const;

  const std::string& path() const { return path_; }

 private:
  struct Library;
  std::unique_ptr<Library> library_;
  std::string path_;
};

// The fonts of the data set, loaded once and handed to the generators.
struct Fonts {
  Font bold{"DejaVuSans-Bold.ttf"};
  Font regular{"DejaVuSans.ttf"};
  Font serif{"DejaVuSerif.ttf"};
};

}  // namespace showdata
