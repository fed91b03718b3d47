#pragma once
// Pictures side by side, each scaled to one width with its label beneath,
// on a dark ground: a page that shows a whole show at a glance.
#include <FreeImage.h>

#include <memory>
#include <string>
#include <vector>

namespace picturesheet {

struct Tile {
  std::string picture;  // any file FreeImage reads
  std::string label;
};

using Bitmap = std::unique_ptr<FIBITMAP, decltype(&FreeImage_Unload)>;

// `columns` tiles a row, each `tileWidth` pixels wide. Throws
// std::runtime_error naming a picture that cannot be read, or the font
// that cannot be had.
Bitmap contactSheet(const std::vector<Tile>& tiles, int columns, int tileWidth);

// The picture in `file` as 24 bits; throws std::runtime_error naming it.
Bitmap readPicture(const std::string& file);

}  // namespace picturesheet
