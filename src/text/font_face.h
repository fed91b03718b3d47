#pragma once
// Lettering through FreeType with a font from a Debian package (DejaVu, from
// fonts-dejavu-core), found at run time under the system's font folders. For
// the data generator's pictures and the viewers' on-screen notes. One thread
// at a time per face (rendering sets the face's size).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// A line's coverage (0 no ink, 255 full), rows top to bottom, cut tight
// around the ink. `left` and `top` place its top-left corner relative to the
// pen's start on the baseline (y down, so `top` is negative above the
// baseline). A line without ink is one empty pixel at the pen's start.
struct InkMask {
  int width = 1;
  int height = 1;
  int left = 0;
  int top = 0;
  std::vector<std::uint8_t> coverage = std::vector<std::uint8_t>(1, 0);

  std::uint8_t at(int x, int y) const { return coverage[static_cast<std::size_t>(y) * width + x]; }
};

class FontFace {
 public:
  // Searches /usr/share/fonts and /usr/local/share/fonts for the file name.
  // Throws std::runtime_error naming the file and the package to install
  // when it is missing, or the reason FreeType gives when it cannot be read.
  explicit FontFace(const std::string& fileName);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // The text (one byte a character, Latin-1) at `pixelHeight`, kerned;
  // `tracking` adds that many pixels between letters. Where glyphs overlap
  // the larger coverage wins.
  InkMask render(std::string_view text, int pixelHeight, int tracking = 0) const;

  const std::string& path() const { return path_; }

 private:
  struct Library;
  std::unique_ptr<Library> library_;
  std::string path_;
};

}  // namespace text
