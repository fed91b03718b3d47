#include "core/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace showdata {

struct Font::Library {
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
  std::vector<unsigned char> coverage;
};

}  // namespace

Font::Font(const std::string& fileName) : library_(std::make_unique<Library>()), path_(findFontFile(fileName)) {
  if (FT_Init_FreeType(&library_->library) != 0) throw std::runtime_error("FreeType could not be started");
  if (FT_New_Face(library_->library, path_.c_str(), 0, &library_->face) != 0)
    throw std::runtime_error("font " + path_ + " cannot be read by FreeType");
}

Font::~Font() = default;

Raster Font::render(const std::string& text, int pixelHeight, int tracking) const {
  FT_Face face = library_->face;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight));
  std::vector<Glyph> glyphs;
  std::vector<int> pens;
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
    const FT_GlyphSlot slot = face->glyph;
    Glyph glyph{slot->bitmap_left, slot->bitmap_top, static_cast<int>(slot->bitmap.width),
                static_cast<int>(slot->bitmap.rows), {}};
    for (int row = 0; row < glyph.height; ++row) {
      const unsigned char* line = slot->bitmap.buffer + row * slot->bitmap.pitch;
      glyph.coverage.insert(glyph.coverage.end(), line, line + glyph.width);
    }
    glyphs.push_back(std::move(glyph));
    pens.push_back(pen);
    pen += static_cast<int>(slot->advance.x >> 6) + tracking;
    previous = index;
  }
  int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    if (glyphs[i].width == 0) continue;
    minX = std::min(minX, pens[i] + glyphs[i].left);
    maxX = std::max(maxX, pens[i] + glyphs[i].left + glyphs[i].width);
    minY = std::min(minY, -glyphs[i].top);
    maxY = std::max(maxY, -glyphs[i].top + glyphs[i].height);
  }
  if (minX > maxX) return Raster(1, 1, 1);
  Raster mask(maxX - minX, maxY - minY, 1);
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& glyph = glyphs[i];
    for (int row = 0; row < glyph.height; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        const int x = pens[i] + glyph.left + column - minX;
        const int y = -glyph.top + row - minY;
        float& value = mask.at(x, y)[0];
        value = std::max(value, glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)] / 255.0f);
      }
    }
  }
  return mask;
}

}  // namespace showdata
