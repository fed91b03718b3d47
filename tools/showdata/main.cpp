// showdata: writes every data file of the show under a folder, with the
// show's paths (demo/...), the same bytes on every run; with --sheet it also
// draws a review sheet of the pictures and objects it wrote.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string>

#include "data_set.h"
#include "sheet/review_sheet.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes the show's data files (pictures, objects, music) from code"};
  std::string folder;
  std::string sheet;
  app.add_option("folder", folder, "the folder that receives demo/")->required();
  app.add_option("--sheet", sheet, "also draw a review sheet of the data into this PNG file");
  CLI11_PARSE(app, argc, argv);
  try {
    showdata::writeDataSet(folder);
    if (!sheet.empty()) showdata::drawReviewSheet(folder, sheet);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "showdata: %s\n", error.what());
    return 1;
  }
  return 0;
}
