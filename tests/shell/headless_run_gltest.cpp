// The whole program over the real platform and the software driver, as
// `skyward --headless --preload --fps 30 --until 1 --screenshot 0.5=FILE`.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/headless_show.h"
#include "support/show_folder.h"

namespace {

// With an empty data folder every file is missing: the show goes on and
// shows nothing.
TEST(HeadlessRun, EndsNormallyAndSavesABlackFrame) {
  fake::ShowFolder folder;
  const auto file = std::filesystem::temp_directory_path() / ("skyward-shot-" + std::to_string(::getpid()) + ".png");
  EXPECT_EQ(fake::runHeadlessShow(1.0f, {{0.5f, file.string()}}), 1);

  FIBITMAP* shot = FreeImage_Load(FIF_PNG, file.c_str(), PNG_DEFAULT);
  ASSERT_NE(shot, nullptr) << file;
  EXPECT_EQ(FreeImage_GetWidth(shot), 800u);
  EXPECT_EQ(FreeImage_GetHeight(shot), 600u);
  FIBITMAP* rgb = FreeImage_ConvertTo24Bits(shot);
  unsigned lit = 0;
  for (unsigned y = 0; y < 600; ++y) {
    const BYTE* row = FreeImage_GetScanLine(rgb, static_cast<int>(y));
    for (unsigned x = 0; x < 800 * 3; ++x) lit += row[x] != 0;
  }
  EXPECT_EQ(lit, 0u);
  FreeImage_Unload(rgb);
  FreeImage_Unload(shot);
  std::filesystem::remove(file);
}

}  // namespace
