// The show at other sizes than 800x600, and multisampled, played headless
// over the generated data set: a larger frame lays everything out as the
// 800x600 one does (bitmaps, viewports, the quarter views, the shadows),
// a wide one has black bars and the 4:3 picture between them, a
// multisampled one differs from the plain one only along edges, and a
// capture has the frame's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/headless_show.h"
#include "support/picture_files.h"
#include "support/video_probe.h"

namespace {

namespace fs = std::filesystem;

const fake::Picture kNoPicture;

int channelAt(const fake::Picture& p, int x, int y, int c) {
  return p.bytes[(static_cast<std::size_t>(y) * p.width + x) * 3 + c];
}

// Each 2 x 2 square of pixels averaged into one.
fake::Picture halved(const fake::Picture& p) {
  return fake::Picture::make(p.width / 2, p.height / 2, 3, [&](int x, int y) {
    std::array<int, 3> mean{};
    for (int c = 0; c < 3; ++c)
      mean[c] = (channelAt(p, 2 * x, 2 * y, c) + channelAt(p, 2 * x + 1, 2 * y, c) + channelAt(p, 2 * x, 2 * y + 1, c) +
                 channelAt(p, 2 * x + 1, 2 * y + 1, c) + 2) / 4;
    return mean;
  });
}

// The largest difference (0 to 255, per channel) between the means of the
// same 20 x 20 block of two pictures of one size: texture detail and edges
// average out in a block, while a bitmap or a view out of place does not.
double largestBlockDifference(const fake::Picture& a, const fake::Picture& b) {
  constexpr int kBlock = 20;
  if (a.width != b.width || a.height != b.height) return 255.0;
  double largest = 0.0;
  for (int top = 0; top + kBlock <= a.height; top += kBlock)
    for (int left = 0; left + kBlock <= a.width; left += kBlock) {
      double difference = 0.0;
      for (int y = top; y < top + kBlock; ++y)
        for (int x = left; x < left + kBlock; ++x)
          for (int c = 0; c < 3; ++c) difference += channelAt(a, x, y, c) - channelAt(b, x, y, c);
      largest = std::max(largest, std::fabs(difference) / (kBlock * kBlock * 3));
    }
  return largest;
}

// Where the plain frame has an edge: a pixel that differs from a neighbour
// by more than `contrast` in a channel, or lies next to one that does.
bool nearAnEdge(const fake::Picture& p, int x, int y, int contrast = 24) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const int nx = std::clamp(x + dx, 1, p.width - 1), ny = std::clamp(y + dy, 1, p.height - 1);
      for (int c = 0; c < 3; ++c)
        if (std::abs(channelAt(p, nx, ny, c) - channelAt(p, nx - 1, ny, c)) > contrast ||
            std::abs(channelAt(p, nx, ny, c) - channelAt(p, nx, ny - 1, c)) > contrast)
          return true;
    }
  return false;
}

class ShowAtSize : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(SKYWARD_SHOWDATA_DIR) / "demo/Skyward.mp3")) GTEST_SKIP() << "no data set";
    previous_ = fs::current_path();
    fs::current_path(SKYWARD_SHOWDATA_DIR);
    folder_ = fake::freshFolder("show_at_size");
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
  }

  // The options of a late start at `moment` (on the 4-a-second grid, so the
  // frame is the run from 0's), loading during the show, at that size.
  shell::ShowOptions lateStart(float moment, shell::FrameSize size, int samples = 0) {
    shell::ShowOptions options;
    options.preloadEverything = false;
    options.fps = 4;
    options.start = moment;
    options.until = moment;
    options.size = size;
    options.samples = samples;
    return options;
  }

  // The frame at `moment`, as its screenshot. Each run starts the C
  // library's generator afresh, as a new process finds it: the shadow
  // layer draws its objects' looks from it.
  fake::Picture frameAt(float moment, shell::FrameSize size, int samples = 0) {
    shell::ShowOptions options = lateStart(moment, size, samples);
    const std::string file = folder_ + "/frame-" + std::to_string(++shots_) + ".png";
    options.screenshots = {{moment, file}};
    std::srand(1);
    if (fake::runHeadlessShow(options) != 1) return kNoPicture;
    return fake::readPicture(file);
  }

  fs::path previous_;
  std::string folder_;
  int shots_ = 0;
};

// The shadows in their centred viewport inside the ornamental frame; the
// kite flyer and the greetings (bitmaps) over a scene; the quarter views.
// Every show start costs most under the sanitizers: the bitmaps alone there.
#if defined(__SANITIZE_ADDRESS__)
constexpr float kLayoutMoments[] = {109.0f};
#else
constexpr float kLayoutMoments[] = {37.0f, 109.0f, 199.0f};
#endif

TEST_F(ShowAtSize, TwiceTheSizeIsTheSameLayoutSharper) {
  for (float moment : kLayoutMoments) {
    const fake::Picture small = frameAt(moment, {800, 600});
    const fake::Picture large = frameAt(moment, {1600, 1200});
    ASSERT_EQ(large.width, 1600);
    ASSERT_EQ(large.height, 1200);
    EXPECT_LT(largestBlockDifference(halved(large), small), 8.0) << "at " << moment << " s";
  }
}

TEST_F(ShowAtSize, AWideFrameHasBlackBarsBesideTheFourByThreePicture) {
  // The hall and its light volumes, which fill the picture and nothing else.
  const fake::Picture frame = frameAt(47.0f, {1920, 1080});
  ASSERT_EQ(frame.width, 1920);
  ASSERT_EQ(frame.height, 1080);
  int lit = 0, edgeRowsLit = 0;
  for (int y = 0; y < frame.height; ++y) {
    for (int x : {0, 100, 239, 1680, 1800, 1919})
      for (int c = 0; c < 3; ++c) lit += channelAt(frame, x, y, c) != 0;
    edgeRowsLit += channelAt(frame, 240, y, 0) + channelAt(frame, 1679, y, 0) > 0;
  }
  EXPECT_EQ(lit, 0) << "something was drawn in the bars";
  EXPECT_GT(edgeRowsLit, frame.height / 2) << "the picture does not reach the bars";
}

TEST_F(ShowAtSize, MultisamplingChangesOnlyTheEdges) {
  const fake::Picture plain = frameAt(81.0f, {800, 600});  // the title over the cubes
  const fake::Picture smooth = frameAt(81.0f, {800, 600}, 4);
  ASSERT_EQ(smooth.width, 800);
  int changed = 0, inside = 0;
  for (int y = 0; y < plain.height; ++y)
    for (int x = 0; x < plain.width; ++x) {
      int difference = 0;
      for (int c = 0; c < 3; ++c) difference = std::max(difference, std::abs(channelAt(plain, x, y, c) - channelAt(smooth, x, y, c)));
      if (difference <= 8) continue;
      ++changed;
      inside += nearAnEdge(plain, x, y) ? 0 : 1;
    }
  EXPECT_GT(changed, 1000) << "no edge was smoothed";
  EXPECT_LT(inside, changed / 50) << changed << " pixels changed";
}

TEST_F(ShowAtSize, ACaptureHasTheFramesSize) {
  shell::ShowOptions options = lateStart(2.5f, {1280, 720});
  options.until = 3.0f;
  options.capture = folder_ + "/show.mp4";
  ASSERT_EQ(fake::runHeadlessShow(options), 1);
  const fake::VideoProbe video = fake::probeVideo(*options.capture);
  EXPECT_EQ(video.width, 1280);
  EXPECT_EQ(video.height, 720);
  EXPECT_EQ(video.frames, 2);
}

}  // namespace
