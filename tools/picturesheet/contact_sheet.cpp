#include "contact_sheet.h"

#include <algorithm>
#include <stdexcept>

#include "text/font_face.h"

namespace picturesheet {
namespace {

constexpr int kGap = 12;
constexpr int kLabelHeight = 15;  // pixels
constexpr int kLabelBand = 26;
constexpr BYTE kGround = 24;

// Letters in light grey over the sheet, `top` counted from the top.
void paintLabel(FIBITMAP* sheet, const text::InkMask& ink, int left, int baselineFromTop) {
  const int height = static_cast<int>(FreeImage_GetHeight(sheet));
  const int width = static_cast<int>(FreeImage_GetWidth(sheet));
  for (int y = 0; y < ink.height; ++y) {
    const int fromTop = baselineFromTop + ink.top + y;
    if (fromTop < 0 || fromTop >= height) continue;
    BYTE* row = FreeImage_GetScanLine(sheet, height - 1 - fromTop);  // FreeImage rows run bottom-up
    for (int x = 0; x < ink.width; ++x) {
      const int column = left + ink.left + x;
      if (column < 0 || column >= width) continue;
      for (int c = 0; c < 3; ++c) {
        BYTE& value = row[column * 3 + c];
        value = static_cast<BYTE>(value + (220 - value) * ink.at(x, y) / 255);
      }
    }
  }
}

}  // namespace

Bitmap readPicture(const std::string& file) {
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(file.c_str(), 0);
  Bitmap loaded(format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, file.c_str(), 0), &FreeImage_Unload);
  if (!loaded) throw std::runtime_error(file + ": cannot be read as a picture");
  Bitmap picture(FreeImage_ConvertTo24Bits(loaded.get()), &FreeImage_Unload);
  if (!picture) throw std::runtime_error(file + ": cannot be turned into 24-bit colour");
  return picture;
}

Bitmap contactSheet(const std::vector<Tile>& tiles, int columns, int tileWidth) {
  const text::FontFace font("DejaVuSans.ttf");
  std::vector<Bitmap> scaled;
  int tileHeight = 0;
  for (const Tile& tile : tiles) {
    const Bitmap picture = readPicture(tile.picture);
    const int height = static_cast<int>(FreeImage_GetHeight(picture.get()) * tileWidth / FreeImage_GetWidth(picture.get()));
    scaled.emplace_back(FreeImage_Rescale(picture.get(), tileWidth, height, FILTER_CATMULLROM), &FreeImage_Unload);
    if (!scaled.back()) throw std::runtime_error(tile.picture + ": cannot be scaled");
    tileHeight = std::max(tileHeight, height);
  }
  const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
  const int width = kGap + columns * (tileWidth + kGap);
  const int height = kGap + rows * (tileHeight + kLabelBand + kGap);
  Bitmap sheet(FreeImage_Allocate(width, height, 24), &FreeImage_Unload);
  if (!sheet) throw std::runtime_error("no memory for a contact sheet of " + std::to_string(width) + "x" + std::to_string(height));
  RGBQUAD ground{kGround, kGround, kGround, 0};
  FreeImage_FillBackground(sheet.get(), &ground);
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const int left = kGap + static_cast<int>(i % columns) * (tileWidth + kGap);
    const int top = kGap + static_cast<int>(i / columns) * (tileHeight + kLabelBand + kGap);
    const int tileRows = static_cast<int>(FreeImage_GetHeight(scaled[i].get()));
    FreeImage_Paste(sheet.get(), scaled[i].get(), left, top, 256);
    paintLabel(sheet.get(), font.render(tiles[i].label, kLabelHeight), left, top + tileRows + kLabelBand - 8);
  }
  return sheet;
}

}  // namespace picturesheet
