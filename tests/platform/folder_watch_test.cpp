// --watch's eyes: a file written in the folder or in a folder below it is a
// change, named once; nothing written, nothing seen. Folders made, removed
// and made again, even the watched folder itself, are followed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/folder_watch.h"
#include "support/sound_files.h"

namespace {

namespace fs = std::filesystem;

bool names(const std::vector<std::string>& changes, const fs::path& file) {
  return std::find(changes.begin(), changes.end(), file.string()) != changes.end();
}

TEST(FolderWatch, NamesFilesWrittenInTheFolderAndBelowItOnce) {
  fake::TempFolder folder;
  fs::create_directories(folder / "demo/backs");
  platform::FolderWatch watch((folder / "demo").string());
  ASSERT_EQ(watch.failure(), "");
  EXPECT_TRUE(watch.changes().empty());
  for (const char* file : {"demo/a.kst", "demo/backs/1.jpg"}) {
    std::ofstream(folder / file) << "new";
    EXPECT_TRUE(names(watch.changes(), folder / file)) << file;
    EXPECT_TRUE(watch.changes().empty()) << file;
  }
  fs::remove(folder / "demo/a.kst");
  EXPECT_TRUE(names(watch.changes(), folder / "demo/a.kst"));
}

// rm -rf demo/backs && cp -r saved demo/backs; a folder made after the
// start; mv demo demo.old && cp -r demo.old demo: each time the files then
// written there are seen, and those copied in before the watch is back
// are named too.
TEST(FolderWatch, FollowsFoldersMadeRemovedAndMadeAgain) {
  fake::TempFolder folder;
  fs::create_directories(folder / "demo/backs");
  platform::FolderWatch watch((folder / "demo").string());
  const auto writeAndSee = [&](const char* file) {
    std::ofstream(folder / file) << "new";
    const std::vector<std::string> seen = watch.changes();
    EXPECT_TRUE(names(seen, folder / file)) << file;
  };
  fs::remove_all(folder / "demo/backs");
  fs::create_directories(folder / "demo/backs");
  watch.changes();
  writeAndSee("demo/backs/1.jpg");

  fs::create_directories(folder / "saved");
  std::ofstream(folder / "saved/2.jpg") << "copied";
  fs::copy(folder / "saved", folder / "demo/new");
  EXPECT_TRUE(names(watch.changes(), folder / "demo/new/2.jpg"));
  writeAndSee("demo/new/3.jpg");

  fs::rename(folder / "demo", folder / "demo.old");
  watch.changes();
  std::ofstream(folder / "demo.old/backs/1.jpg") << "not ours";
  fs::copy(folder / "demo.old", folder / "demo", fs::copy_options::recursive);
  const std::vector<std::string> back = watch.changes();
  EXPECT_TRUE(names(back, folder / "demo/backs/1.jpg"));
  EXPECT_FALSE(names(back, folder / "demo.old/backs/1.jpg"));
  writeAndSee("demo/backs/4.jpg");
  writeAndSee("demo/new/5.jpg");
}

}  // namespace
