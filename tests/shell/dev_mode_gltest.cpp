// The development mode over the real platform and the software driver, in a
// show folder holding one picture: the backdrop of the first section
// (demo\backs\1.jpg), which fills the frame. The picture is changed on disk
// while the show runs, then damaged: F5 shows the change, and after the
// damage the changed version stays in use, with a warning. The notes drawn
// over each frame are never part of a screenshot.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/host.h"
#include "shell/show_script.h"
#include "support/headless_show.h"
#include "support/log_capture.h"
#include "support/picture_files.h"
#include "support/show_folder.h"
#include "timeline/timeline.h"

namespace {

namespace fs = std::filesystem;

const char* const kBackdrop = "demo/backs/1.jpg";

fake::Picture plain(std::array<int, 3> colour) {
  return fake::Picture::make(800, 600, 3, [colour](int, int) { return colour; });
}

// Rewrites the backdrop when the show reaches its time, dated `later`
// seconds after the first version (file times may be coarse).
class PictureChange : public kst::TimeLineEvent {
 public:
  PictureChange(float time, const fake::Picture* picture, int later) : kst::TimeLineEvent(time), picture_(picture), later_(later) {}
  void fire(float) override {
    if (picture_ != nullptr)
      fake::writePicture(*picture_, kBackdrop, fake::PictureFormat::Jpeg);
    else
      std::ofstream(kBackdrop, std::ios::trunc) << "no longer a picture";
    fs::last_write_time(kBackdrop, first + std::chrono::seconds(later_));
  }

  static inline fs::file_time_type first;

 private:
  const fake::Picture* picture_;
  int later_;
};

bool near(const fake::Picture& shot, int x, int y, std::array<int, 3> colour) {
  const std::uint8_t* pixel = &shot.bytes[(static_cast<std::size_t>(y) * shot.width + x) * 3];
  for (int c = 0; c < 3; ++c)
    if (std::abs(pixel[c] - colour[c]) > 8) return false;
  return true;
}

TEST(DevMode, F5ReadsAChangedPictureAgainAndKeepsItWhenTheNextVersionIsDamaged) {
  fake::ShowFolder folder;
  fs::create_directories(folder / "demo/backs");
  const std::array<int, 3> red{200, 40, 40}, blue{40, 60, 200};
  const fake::Picture redPicture = plain(red), bluePicture = plain(blue);
  ASSERT_TRUE(fake::writePicture(redPicture, kBackdrop, fake::PictureFormat::Jpeg));
  PictureChange::first = fs::last_write_time(kBackdrop);

  shell::ShowOptions options;
  options.preloadEverything = true;
  options.fps = 4;
  options.until = 3.25f;
  options.dev = true;
  options.devKeys = {{1.0f, platform::kKeyF5}, {2.5f, platform::kKeyF5}};
  options.screenshots = {{0.25f, (folder / "red.png").string()},
                         {1.5f, (folder / "blue.png").string()},
                         {3.0f, (folder / "kept.png").string()}};
  // The change at 0.5 s happens once; the damage at 2 s is scheduled again
  // by every rebuild, as the show's own events are.
  const auto damage = [] { new PictureChange(2.0f, nullptr, 2); };
  fake::LogCapture log;
  const int exitCode = fake::runHeadlessShow(
      options,
      [&](bool preloadChoice, shell::ShowClock& clock) {
        shell::prepareShow(preloadChoice, clock);
        kst::theTimeLine().timeOffset = 0.0f;
        new PictureChange(0.5f, &bluePicture, 1);
        damage();
        kst::theTimeLine().rewind();
      },
      [&](bool preloadChoice) {
        shell::buildShow(preloadChoice);
        kst::theTimeLine().timeOffset = 0.0f;
        damage();
      });
  EXPECT_EQ(exitCode, 1);

  // The middle, and the corner the notes are drawn in.
  for (const auto& [shot, colour] : {std::pair{"red.png", red}, std::pair{"blue.png", blue}, std::pair{"kept.png", blue}}) {
    const fake::Picture frame = fake::readPicture((folder / shot).string());
    ASSERT_EQ(frame.width, 800) << shot;
    EXPECT_TRUE(near(frame, 400, 300, colour)) << shot;
    EXPECT_TRUE(near(frame, 20, 20, colour)) << shot << ": the notes are in the screenshot";
  }
  EXPECT_NE(log.text().find("demo\\backs\\1.jpg not read again: cannot decode the picture"), std::string::npos)
      << log.text();
}

}  // namespace
