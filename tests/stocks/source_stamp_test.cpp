// A show maker's change is never taken for no change: each way a file can
// change while its modification time and size stay the same, and a change
// the watch named, makes its stamp differ; a file left alone keeps it.
#include "stocks/source_stamp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "support/sound_files.h"

namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const char* text) { std::ofstream(file, std::ios::binary) << text; }

TEST(SourceStamp, ChangesThatKeepTheTimeAndSizeAreSeen) {
  fake::TempFolder folder;
  const fs::path file = folder / "1.jpg";
  const struct {
    const char* how;
    std::function<void()> change;
    bool seen;
  } cases[] = {
      {"left alone", [] {}, false},
      {"rewritten, same size, time put back",
       [&] {
         const auto time = fs::last_write_time(file);
         write(file, "pixelz");
         fs::last_write_time(file, time);
       },
       true},
      {"replaced by a copy that kept the time (cp -p, rsync -t)",
       [&] {
         write(folder / "copy", "pixels");
         fs::last_write_time(folder / "copy", fs::last_write_time(file));
         fs::rename(folder / "copy", file);
       },
       true},
      {"named by the watch", [&] { kst::SourceStamp::reportChanged(file.string()); }, true},
  };
  for (const auto& c : cases) {
    write(file, "pixels");
    const kst::SourceStamp before = kst::SourceStamp::of(file.string());
    ASSERT_TRUE(before.present);
    c.change();
    EXPECT_EQ(before.changed(), c.seen) << c.how;
  }
}

}  // namespace
