#include "text/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <filesystem>
#include <stdexcept>

namespace text {

struct FontFace::Library {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Library() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

std::string findFontFile(const std::string& fileName) {
  for (const char* folder : {"/usr/share/fonts", "/usr/local/share/fonts"}) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) continue;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
      if (it->path().filename() == fileName) return it->path().string();
    }
  }
  throw std::runtime_error("font " + fileName +
                           " not found under /usr/share/fonts or /usr/local/share/fonts: install the Debian package "
                           "fonts-dejavu-core (make deps does)");
}

struct Glyph {
  int left;  // ink position relative to the pen origin and baseline
  int top;
  int width;
  int height;
  std::vector<std::uint8_t> coverage;
};

struct PlacedGlyphs {
  std::vector<Glyph> glyphs;
  std::vector<int> pens;
};

Glyph copyGlyph(const FT_GlyphSlot slot) {
  Glyph glyph{slot->bitmap_left, slot->bitmap_top, static_cast<int>(slot->bitmap.width),
              static_cast<int>(slot->bitmap.rows), {}};
  for (int row = 0; row < glyph.height; ++row) {
    const unsigned char* line = slot->bitmap.buffer + row * slot->bitmap.pitch;
    glyph.coverage.insert(glyph.coverage.end(), line, line + glyph.width);
  }
  return glyph;
}

PlacedGlyphs placeGlyphs(FT_Face face, std::string_view text, int tracking) {
  PlacedGlyphs placed;
  int pen = 0;
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
      FT_Vector kerning;
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
      pen += static_cast<int>(kerning.x >> 6);
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) continue;
    placed.glyphs.push_back(copyGlyph(face->glyph));
    placed.pens.push_back(pen);
    pen += static_cast<int>(face->glyph->advance.x >> 6) + tracking;
    previous = index;
  }
  return placed;
}

}  // namespace

FontFace::FontFace(const std::string& fileName) : library_(std::make_unique<Library>()), path_(findFontFile(fileName)) {
  if (FT_Init_FreeType(&library_->library) != 0) throw std::runtime_error("FreeType could not be started");
  if (FT_New_Face(library_->library, path_.c_str(), 0, &library_->face) != 0)
    throw std::runtime_error("font " + path_ + " cannot be read by FreeType");
}

FontFace::~FontFace() = default;

InkMask FontFace::render(std::string_view text, int pixelHeight, int tracking) const {
  FT_Set_Pixel_Sizes(library_->face, 0, static_cast<FT_UInt>(pixelHeight));
  const PlacedGlyphs placed = placeGlyphs(library_->face, text, tracking);
  int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
  for (std::size_t i = 0; i < placed.glyphs.size(); ++i) {
    const Glyph& glyph = placed.glyphs[i];
    if (glyph.width == 0) continue;
    minX = std::min(minX, placed.pens[i] + glyph.left);
    maxX = std::max(maxX, placed.pens[i] + glyph.left + glyph.width);
    minY = std::min(minY, -glyph.top);
    maxY = std::max(maxY, -glyph.top + glyph.height);
  }
  if (minX > maxX) return {};
  InkMask mask{maxX - minX, maxY - minY, minX, minY, {}};
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  for (std::size_t i = 0; i < placed.glyphs.size(); ++i) {
    const Glyph& glyph = placed.glyphs[i];
    for (int row = 0; row < glyph.height; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        const int x = placed.pens[i] + glyph.left + column - minX;
        const int y = -glyph.top + row - minY;
        std::uint8_t& value = mask.coverage[static_cast<std::size_t>(y) * mask.width + x];
        value = std::max(value, glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)]);
      }
    }
  }
  return mask;
}

}  // namespace text
