// picturesheet: the show in pictures for people who read the repository:
// screenshots as JPEGs of about a given size, and a contact sheet of them.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "contact_sheet.h"
#include "jpeg_size.h"

namespace {

// "PICTURE=LABEL".
picturesheet::Tile readTile(const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) throw CLI::ValidationError("tile", "expected PICTURE=LABEL, got '" + text + "'");
  return {text.substr(0, equals), text.substr(equals + 1)};
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"picturesheet: pictures as JPEGs of about a given size, and contact sheets"};
  app.require_subcommand(1);
  int kilobytes = 60;
  app.add_option("--kilobytes", kilobytes, "The size to come near, in KiB (default 60)")->check(CLI::Range(1, 100000));
  std::string in, out;
  CLI::App* jpeg = app.add_subcommand("jpeg", "Write PICTURE as the JPEG OUT.jpg (a PNG when OUT ends in .png)");
  jpeg->add_option("picture", in, "Any picture FreeImage reads")->required();
  jpeg->add_option("out", out, "The JPEG to write")->required();
  std::vector<std::string> tiles;
  int columns = 4, tileWidth = 400;
  CLI::App* sheet = app.add_subcommand("sheet", "Write a contact sheet of the pictures as the JPEG OUT.jpg (a PNG when OUT ends in .png)");
  sheet->add_option("out", out, "The JPEG to write")->required();
  sheet->add_option("tiles", tiles, "The pictures, each with its label")->required()->type_name("PICTURE=LABEL");
  sheet->add_option("--columns", columns, "Pictures a row (default 4)")->check(CLI::Range(1, 64));
  sheet->add_option("--width", tileWidth, "Each picture's width on the sheet, in pixels (default 400)")->check(CLI::Range(16, 4096));
  app.footer("Exit codes: 0 written, 1 a picture cannot be read or the JPEG written, 2 unreadable command line.");
  std::vector<picturesheet::Tile> parsed;
  try {
    app.parse(argc, argv);
    for (const std::string& tile : tiles) parsed.push_back(readTile(tile));
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : 2;
  }
  FreeImage_Initialise(FALSE);
  int result = 0;
  try {
    const picturesheet::Bitmap picture = *jpeg ? picturesheet::readPicture(in) : picturesheet::contactSheet(parsed, columns, tileWidth);
    if (out.ends_with(".png")) {
      if (!FreeImage_Save(FIF_PNG, picture.get(), out.c_str(), PNG_DEFAULT)) throw std::runtime_error(out + ": cannot be written");
    } else {
      const int quality = picturesheet::saveJpegNear(picture.get(), out, kilobytes);
      std::printf("%s: quality %d\n", out.c_str(), quality);
    }
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "picturesheet: %s\n", error.what());
    result = 1;
  }
  FreeImage_DeInitialise();
  return result;
}
