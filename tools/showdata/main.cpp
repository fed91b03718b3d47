// showdata: writes every data file of the show under a folder, with the
// show's paths (demo/...), the same bytes on every run; with --scale its
// pictures larger, for large frames; with --sheet it also draws a review
// sheet of the pictures and objects it wrote.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string>

#include "data_set.h"
#include "stocks/data_set_scale.h"
#include "sheet/review_sheet.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes the show's data files (pictures, objects, music) from code"};
  std::string folder;
  std::string sheet;
  int scale = 1;
  app.add_option("folder", folder, "the folder that receives demo/")->required();
  app.add_option("--sheet", sheet, "also draw a review sheet of the data into this PNG file");
  app.add_option("--scale", scale,
                 "draw every picture, lettering and texture N times larger (1, 2 or 3), sharp in a frame that "
                 "much larger than 800x600; the data set is marked with its scale in demo/scale.txt")
      ->check(CLI::Range(1, kst::kLargestDataSetScale))
      ->type_name("N");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : 2;  // a command line that cannot be read: 2, as the show's
  }
  try {
    showdata::writeDataSet(folder, scale);
    if (!sheet.empty()) showdata::drawReviewSheet(folder, sheet, scale);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "showdata: %s\n", error.what());
    return 1;
  }
  return 0;
}
