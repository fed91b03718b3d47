// --watch's eyes: a file written in the folder or in a folder below it is a
// change, seen once; nothing written, nothing seen.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/folder_watch.h"
#include "support/sound_files.h"

namespace {

TEST(FolderWatch, SeesFilesWrittenInTheFolderAndBelowItOnce) {
  fake::TempFolder folder;
  std::filesystem::create_directories(folder / "demo/backs");
  platform::FolderWatch watch((folder / "demo").string());
  ASSERT_EQ(watch.failure(), "");
  EXPECT_FALSE(watch.changed());
  for (const char* file : {"demo/a.kst", "demo/backs/1.jpg"}) {
    std::ofstream(folder / file) << "new";
    EXPECT_TRUE(watch.changed()) << file;
    EXPECT_FALSE(watch.changed()) << file;
  }
  std::filesystem::remove(folder / "demo/a.kst");
  EXPECT_TRUE(watch.changed());
}

}  // namespace
