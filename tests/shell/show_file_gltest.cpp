// A show file saved while the development mode plays it, with --watch: the
// save that reads is built at the moment the show stands at, which then
// draws what a run of the saved file from 0 draws, byte for byte; a later
// save that does not read leaves the show as it was, its error in the log.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/host.h"
#include "shell/show_script.h"
#include "shell/showfile/show_files.h"
#include "support/headless_show.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/show_folder.h"
#include "timeline/timeline.h"

namespace {

namespace fs = std::filesystem;

// A red frame.
constexpr const char* kFirst = R"([[section]]
name = "one"
start = 0

[[section.layer]]
kind = "flat"
level = 0
duration = 0
width = 2
height = 2
green = 0
blue = 0
)";

// And from 0.5 s a left half turning from blue to cyan.
const std::string kSaved = std::string(kFirst) + R"(
[[section.layer]]
kind = "flat"
start = 0.5
level = 1
duration = 0
x = -0.5
width = 1
height = 2
red = 0
green = [[0, 0], [2, 1]]
)";

// Line 27: a level no layer has.
const std::string kBroken = kSaved + R"(
[[section.layer]]
kind = "flat"
level = 9
duration = 1
)";

// Saves the show file when the show reaches its time, dated `later`
// seconds after the first version (file times may be coarse).
class ShowSave : public kst::TimeLineEvent {
 public:
  ShowSave(float time, const std::string& text, int later) : kst::TimeLineEvent(time), text_(text), later_(later) {}
  void fire(float) override {
    std::ofstream("show.toml", std::ios::trunc) << text_;
    fs::last_write_time("show.toml", first + std::chrono::seconds(later_));
  }

  static inline fs::file_time_type first;

 private:
  std::string text_;
  int later_;
};

shell::ShowOptions playing(const std::string& screenshot) {
  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 4;
  options.until = 2.25f;
  options.screenshots = {{2.0f, screenshot}};
  return options;
}

const std::uint8_t* pixel(const fake::Picture& shot, int x, int y) {
  return &shot.bytes[(static_cast<std::size_t>(y) * shot.width + x) * 3];
}

TEST(ShowFileLive, ASavedShowIsBuiltWhereItStandsAndABrokenSaveLeavesIt) {
  fake::ShowFolder folder;
  std::ofstream("show.toml") << kFirst;
  ShowSave::first = fs::last_write_time("show.toml");
  ASSERT_TRUE(shell::showfile::useShowFile("show.toml", true));
  shell::ShowOptions live = playing((folder / "live.png").string());
  live.dev = true;
  live.watch = true;
  fake::LogCapture log;
  // The good save happens once; the broken one is scheduled again by every
  // rebuild, as the show's own events are.
  const auto addBrokenSave = [] {
    kst::theTimeLine().timeOffset = 0.0f;
    new ShowSave(1.5f, kBroken, 2);
  };
  EXPECT_EQ(fake::runHeadlessShow(
                live,
                [&](bool preloadChoice, shell::ShowClock& clock) {
                  shell::prepareShow(preloadChoice, clock);
                  kst::theTimeLine().timeOffset = 0.0f;
                  new ShowSave(1.0f, kSaved, 1);
                  addBrokenSave();
                  kst::theTimeLine().rewind();
                },
                [&](bool preloadChoice) {
                  shell::buildShow(preloadChoice);
                  addBrokenSave();
                }),
            1);
  EXPECT_NE(log.text().find("show.toml:27:9: expected a level from 0 to 7, got 9"), std::string::npos) << log.text();

  std::ofstream("show.toml", std::ios::trunc) << kSaved;
  ASSERT_TRUE(shell::showfile::useShowFile("show.toml", true));
  EXPECT_EQ(fake::runHeadlessShow(playing((folder / "fresh.png").string())), 1);
  shell::playShowFile(nullptr);

  const fake::Picture shown = fake::readPicture((folder / "live.png").string());
  const fake::Picture fresh = fake::readPicture((folder / "fresh.png").string());
  ASSERT_EQ(shown.width, 800);
  EXPECT_NE(pixel(shown, 200, 300)[2], pixel(shown, 600, 300)[2]) << "the saved layer, on the left";
  EXPECT_TRUE(shown.bytes == fresh.bytes) << "not the frame a run of the saved file draws";
}

}  // namespace
