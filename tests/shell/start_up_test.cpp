// Start-up, frame loop and shutdown over the fake host and a recording GL
// driver: the results 0, -1 and 1, the order of what the user sees, and the
// calls of one frame.
#include "shell/start_up.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "music/music.h"
#include "shell/texts.h"
#include "support/log_capture.h"
#include "support/recording_gl.h"
#include "support/sound_files.h"
#include "support/show_folder.h"
#include "support/sound_probe.h"
#include "timeline/timeline.h"

namespace {

using platform::Message;
using platform::MessageKind;
using Strings = std::vector<std::string>;

constexpr Message kEscapeDown{MessageKind::KeyDown, platform::kKeyEscape};
constexpr Message kEscapeUp{MessageKind::KeyUp, platform::kKeyEscape};

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    world.driver.extensions = "GL_EXT_bgra GL_ARB_multitexture GL_EXT_compiled_vertex_array";
    kst::theTimeLine().clear();
    kst::theTimeLine().timeOffset = 0.0f;
  }
  ~StartUpTest() override { kst::theTimeLine().clear(); }

  // The frame loop alone: the show's own preparation has tests of its own.
  int run(shell::ShowOptions options = {}) {
    return shell::WinMain(options, [](bool, shell::ShowClock& clock) { clock.start(); });
  }

  std::string error(bool owned, const char* text) const {
    return std::string("error:") + (owned ? "1:" : "0:") + text;
  }

  std::size_t position(const std::string& entry) const {
    return static_cast<std::size_t>(std::find(host().log.begin(), host().log.end(), entry) - host().log.begin());
  }

  fake::FakeHost& host() { return world.host; }
  const fake::FakeHost& host() const { return world.host; }

  fake::FakeGLWorld world;
  fake::ShowFolder folder;
};

TEST_F(StartUpTest, CancelEndsAtOnceWithoutWindowOrModeChange) {
  host().answer = platform::Answer::Cancel;
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(host().log, (Strings{"question"}));
  EXPECT_EQ(host().lastQuestionCaption, "DISCLAIMER");
  EXPECT_TRUE(world.driver.calls.empty());
}

TEST_F(StartUpTest, NobodyToAskEndsLikeCancel) {
  host().answer = platform::Answer::Unavailable;
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(host().log, (Strings{"question"}));
}

TEST_F(StartUpTest, TheAnswerDecidesTheLoadingMode) {
  host().eventsAtPeek[0] = {kEscapeDown};
  host().answer = platform::Answer::No;
  EXPECT_EQ(run(), 1);
  EXPECT_TRUE(shell::preloadChoice());
  host().answer = platform::Answer::Yes;
  host().eventsAtPeek[host().peekCalls] = {kEscapeDown};
  EXPECT_EQ(run(), 1);
  EXPECT_FALSE(shell::preloadChoice());
}

TEST_F(StartUpTest, RefreshRateComesFromTheIniOrDefaultsTo60) {
  host().acceptDisplayMode = false;
  run();
  host().profile["Skyward/Freq"] = 75;
  run();
  ASSERT_EQ(host().requestedModes.size(), 2u);
  EXPECT_EQ(host().requestedModes[0].frequency, 60);
  EXPECT_EQ(host().requestedModes[1].frequency, 75);
  EXPECT_EQ(host().requestedModes[1].width, 800);
  EXPECT_EQ(host().requestedModes[1].height, 600);
  EXPECT_EQ(host().requestedModes[1].bitsPerPixel, 32);
}

TEST_F(StartUpTest, RefusedModeGivesTheWindowMessageAndNoWindow) {
  host().acceptDisplayMode = false;
  EXPECT_EQ(run(), -1);
  EXPECT_FALSE(host().windowExists);
  EXPECT_LT(position(error(false, shell::kWindowFailure)), host().log.size());
  EXPECT_EQ(host().errorCaptions, (Strings{"Skyward"}));
  EXPECT_FALSE(host().modeChanged);
}

TEST_F(StartUpTest, ARefusedModeOfAnotherSizeIsNamed) {
  host().acceptDisplayMode = false;
  shell::ShowOptions options;
  options.size = {1920, 1080};
  testing::internal::CaptureStderr();
  EXPECT_EQ(run(options), -1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("--size 1920x1080: no full-screen display mode of that size"), std::string::npos) << said;
  EXPECT_LT(position(error(false, shell::kWindowFailure)), host().log.size());
}

TEST_F(StartUpTest, FailedWindowStillHidesTheCursorAndLeavesTheDesktopAsItWas) {
  host().acceptWindow = false;
  EXPECT_EQ(run(), -1);
  EXPECT_LT(position("cursor:0"), position(error(false, shell::kWindowFailure)));
  EXPECT_LT(position(error(false, shell::kWindowFailure)), position("restore"));
  EXPECT_FALSE(host().modeChanged);
}

TEST_F(StartUpTest, DeviceFailureGivesTheOpenGLMessage) {
  world.modules.missingNames.insert("glAccum");
  EXPECT_EQ(run(), -1);
  EXPECT_LT(position(error(true, shell::kDeviceFailure)), host().log.size());
  EXPECT_FALSE(host().modeChanged);
}

TEST_F(StartUpTest, WithoutMultitextureTheDesktopIsRestoredBeforeTheMessage) {
  world.driver.extensions = "GL_EXT_bgra GL_ARB_multitexture_extra";
  EXPECT_EQ(run(), -1);
  const std::size_t restored = position("restore");
  const std::size_t message = position(error(true, shell::kExtensionFailure));
  ASSERT_LT(message, host().log.size());
  EXPECT_LT(restored, message);
  EXPECT_EQ(world.driver.count("SwapBuffers"), 0u);
}

TEST_F(StartUpTest, WithoutTheDataFolderTheDesktopIsRestoredBeforeTheMessage) {
  std::filesystem::remove("demo");
  EXPECT_EQ(run(), -1);
  const std::size_t message = position(error(true, shell::kDataMissing));
  ASSERT_LT(message, host().log.size());
  EXPECT_LT(position("restore"), message);
  EXPECT_NE(std::string(shell::kDataMissing).find("make data"), std::string::npos);
  EXPECT_EQ(world.driver.count("wglDeleteContext"), 1u);
  EXPECT_EQ(world.driver.count("SwapBuffers"), 0u);
}

// The list reads nothing: it needs no data folder, no window and no device,
// and no file is missing from it.
TEST_F(StartUpTest, ListingTheEventsReadsAndPlaysNothingAndEndsWithZero) {
  std::filesystem::remove("demo");
  fake::LogCapture log;
  shell::ShowOptions options;
  options.listEvents = true;
  options.preloadEverything = false;  // scenes in the background: three more events
  testing::internal::CaptureStdout();
  EXPECT_EQ(run(options), 0);
  const std::string listed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 92);
  EXPECT_NE(listed.find("  43.10  kst::EvtLoadScene  \"demo\\cubes.kst\"\n"), std::string::npos) << listed;
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(host().log, (Strings{}));
  EXPECT_TRUE(world.driver.calls.empty());
  EXPECT_EQ(kst::theTimeLine().count(), 0u);
}

TEST_F(StartUpTest, FullScreenWindowAndHiddenCursor) {
  host().eventsAtPeek[0] = {kEscapeDown};
  run();
  EXPECT_LT(position("mode:800x600x32@60"), position("window:KSOrbE:800x600:1"));
  EXPECT_LT(position("window:KSOrbE:800x600:1"), position("cursor:0"));
}

TEST_F(StartUpTest, WindowedPlayLeavesTheDisplayModeAlone) {
  host().eventsAtPeek[0] = {kEscapeDown};
  shell::ShowOptions options;
  options.windowed = true;
  EXPECT_EQ(run(options), 1);
  EXPECT_TRUE(host().requestedModes.empty());
  EXPECT_LT(position("window:KSOrbE:800x600:0:resizable"), host().log.size());
}

// The frame's size reaches the display mode, the window and the viewport of
// the first frame (the 4:3 picture inside the drawable).
TEST_F(StartUpTest, TheFrameSizeGoesToTheModeTheWindowAndThePictureViewport) {
  struct Case {
    bool windowed, desktop;
    int width, height;
    const char* mode;  // empty: none asked for
    const char* window;
    std::string viewport;
  };
  const Case cases[] = {
      {false, false, 1920, 1080, "mode:1920x1080x32@60", "window:KSOrbE:1920x1080:1",
       fake::call("glViewport", 240, 0, 1440, 1080)},
      {true, false, 800, 600, "", "window:KSOrbE:800x600:0:resizable", fake::call("glViewport", 0, 0, 800, 600)},
      {false, true, 1000, 1000, "", "window:KSOrbE:1000x1000:1:desktop", fake::call("glViewport", 0, 125, 1000, 750)},
  };
  for (const Case& c : cases) {
    host().log.clear();
    host().requestedModes.clear();
    world.driver.clear();
    shell::ShowOptions options;
    options.windowed = c.windowed;
    options.size = {c.width, c.height, c.desktop};
    options.fps = 30;
    options.until = 0.0f;
    EXPECT_EQ(run(options), 1);
    EXPECT_LT(position(c.window), host().log.size()) << testing::PrintToString(host().log);
    if (*c.mode != '\0') EXPECT_LT(position(c.mode), position(c.window));
    else EXPECT_TRUE(host().requestedModes.empty()) << c.window;
    const auto& calls = world.driver.calls;
    const auto swap = std::ranges::find_if(calls, [](const std::string& call) { return call.starts_with("SwapBuffers"); });
    EXPECT_NE(std::find(calls.begin(), swap, c.viewport), swap) << c.window;
  }
}

// A window the user resizes: the next frame is drawn at its new size.
TEST_F(StartUpTest, AResizedWindowsNextFrameFitsThePictureToItsNewSize) {
  shell::ShowOptions options;
  options.windowed = true;
  int samples = 0;
  host().onTimeGetTime = [&] {
    if (++samples == 3) host().drawable = {1920, 1200};
  };
  host().eventsAtPeek[4] = {kEscapeDown};
  EXPECT_EQ(run(options), 1);
  std::vector<std::string> viewports;
  std::ranges::copy_if(world.driver.calls, std::back_inserter(viewports),
                       [](const std::string& call) { return call.starts_with("glViewport"); });
  ASSERT_GE(viewports.size(), 3u);
  EXPECT_EQ(viewports.front(), fake::call("glViewport", 0, 0, 800, 600));
  EXPECT_EQ(viewports.back(), fake::call("glViewport", 160, 0, 1600, 1200));
}

TEST_F(StartUpTest, AFrameLargerThanTheDriverDrawsEndsAsACommandLineError) {
  world.driver.integers[GL_MAX_VIEWPORT_DIMS] = {4096, 4096};
  world.driver.integers[GL_MAX_RENDERBUFFER_SIZE] = {2048};
  shell::ShowOptions options;
  options.windowed = true;
  options.size = {2560, 1440};
  testing::internal::CaptureStderr();
  EXPECT_EQ(run(options), 2);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("--size: a frame of 2560x1440 is larger than the OpenGL driver draws: at most 2048x2048"),
            std::string::npos)
      << said;
  EXPECT_EQ(world.driver.count("SwapBuffers"), 0u);
  EXPECT_EQ(world.driver.count("wglDeleteContext"), 1u);
  EXPECT_EQ(host().log.back(), "restore");
}

// A multisampled frame: a framebuffer object of the samples asked for, or the
// driver's largest, drawn into and resolved into the window before the swap;
// other samples than asked are said, and none without framebuffer objects.
TEST_F(StartUpTest, AMultisampledFrameIsDrawnOffTheWindowAndResolvedIntoIt) {
  world.driver.on<GLEntryId::glCheckFramebufferStatus>([](GLenum) -> GLenum { return GL_FRAMEBUFFER_COMPLETE; });
  world.driver.integers[GL_MAX_SAMPLES] = {4};
  struct Case {
    int asked;
    bool framebuffers;
    int made;          // samples of the framebuffer; 0: none made
    const char* said;  // empty: nothing
  };
  const Case cases[] = {
      {8, true, 4, "skyward: --msaa 8: the driver has no frame of 8 samples per pixel; the nearest it offers has 4"},
      {2, false, 0, "skyward: --msaa 2: the driver offers no multisampled frame; the frame is plain"},
      {4, true, 4, ""},
      {0, true, 0, ""},
  };
  for (const Case& c : cases) {
    world.driver.extensions = std::string("GL_ARB_multitexture") + (c.framebuffers ? " GL_ARB_framebuffer_object" : "");
    world.driver.clear();
    shell::ShowOptions options;
    options.samples = c.asked;
    options.fps = 30;
    options.until = 0.0f;
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(options), 1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find(c.said) != std::string::npos && said.empty() == (*c.said == '\0'), true)
        << c.asked << " asked, " << c.made << " made: " << said;
    const auto& calls = world.driver.calls;
    EXPECT_EQ(std::ranges::count(calls, fake::call("glRenderbufferStorageMultisample", GLenum{GL_RENDERBUFFER}, c.made,
                                                   GLenum{GL_RGBA8}, 800, 600)),
              c.made > 0 ? 1 : 0);
    // The frame's clear goes to the multisampled frame; the swap shows it resolved.
    const auto clear = std::ranges::find(calls, fake::call("glClear", GLbitfield{0x4500}));
    const auto resolve = std::ranges::find_if(calls, [](const std::string& call) { return call.starts_with("glBlitFramebuffer("); });
    const auto swap = std::ranges::find_if(calls, [](const std::string& call) { return call.starts_with("SwapBuffers("); });
    EXPECT_NE(swap, calls.end());
    if (c.made > 0) EXPECT_TRUE(clear < resolve && resolve < swap) << c.asked;
    else EXPECT_EQ(world.driver.count("glBindFramebuffer"), 0u) << c.asked;
  }
}

class Recorder : public kst::TimeLineEvent {
 public:
  Recorder(float time, std::vector<float>& firedAt) : kst::TimeLineEvent(time), firedAt_(firedAt) {}
  void fire(float t) override { firedAt_.push_back(t); }

 private:
  std::vector<float>& firedAt_;
};

TEST_F(StartUpTest, AnEventAlreadyDueFiresInTheFirstFrameAtTheTimeTakenBeforeTheMessages) {
  std::vector<float> firedAt;
  new Recorder(0.5f, firedAt);
  kst::theTimeLine().rewind();
  host().now = 1000;
  host().tickPerCall = 2000;  // show start at 1000 ms, first frame sampled at 3000 ms
  host().tickPerPeek = 250;   // the drain that follows takes a quarter of a second
  host().eventsAtPeek[1] = {kEscapeDown};
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(firedAt, (std::vector<float>{2.0f}));
}

TEST_F(StartUpTest, EscapePressedOrReleasedEndsWithTheDesktopRestored) {
  for (const Message& escape : {kEscapeDown, kEscapeUp}) {
    host().log.clear();
    world.driver.clear();
    host().eventsAtPeek[host().peekCalls] = {{MessageKind::KeyDown, 'A'}};
    host().eventsAtPeek[host().peekCalls + 3] = {escape};
    EXPECT_EQ(run(), 1);
    // Frames 1 and 2 are shown; frame 3 meets the quit message in its drain.
    EXPECT_EQ(world.driver.count("SwapBuffers"), 2u);
    EXPECT_LT(position("destroy"), position("restore"));
    EXPECT_EQ(host().log.back(), "restore");
    EXPECT_EQ(world.driver.count("wglDeleteContext"), 1u);
  }
}

TEST_F(StartUpTest, TheEndOfTheShowStopsTheTuneAndClosesTheSoundLibrary) {
  fake::TempFolder folder;
  fake::writeSmallXm(folder / "tune.xm");
  ASSERT_TRUE(fake::startSoundWithoutDevice());
  music::startModule((folder / "tune.xm").c_str());
  ASSERT_GT(fake::peak(fake::renderFrames(4410)), 0.05f);
  host().eventsAtPeek[host().peekCalls + 1] = {kEscapeDown};
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(fake::peak(fake::renderFrames(4410)), 0.0f);
  EXPECT_EQ(FMUSIC_LoadSong((folder / "tune.xm").c_str()), nullptr);
  EXPECT_EQ(FSOUND_GetError(), 2) << "the library was closed";
  music::state() = {};
}

TEST_F(StartUpTest, OneFrameResetsStateClearsAndPresentsThroughDirectCalls) {
  shell::ShowOptions options;
  options.until = 0.0f;
  options.fps = 30;
  EXPECT_EQ(run(options), 1);
  const auto& calls = world.driver.calls;
  const auto first = std::find(calls.begin(), calls.end(), fake::call("glViewport", 0, 0, 800, 600));
  ASSERT_NE(first, calls.end());
  const Strings frame(first, first + 10);
  EXPECT_EQ(frame, (Strings{
                       fake::call("glViewport", 0, 0, 800, 600),
                       fake::call("glEnable", GLenum{GL_CULL_FACE}),
                       fake::call("glCullFace", GLenum{GL_BACK}),
                       fake::call("glFrontFace", GLenum{GL_CW}),
                       fake::call("glEnable", GLenum{GL_DEPTH_TEST}),
                       fake::call("glDepthFunc", GLenum{GL_LEQUAL}),
                       fake::call("glClearColor", 0.0f, 0.0f, 0.0f, 0.0f),
                       fake::call("glClearStencil", 0),
                       fake::call("glClear", GLbitfield{0x4500}),
                       fake::call("SwapBuffers", host().windowDC()),  // the window is still there: no Escape
                   }));
  EXPECT_EQ(world.driver.count("wglSwapIntervalEXT"), 0u);
}

TEST_F(StartUpTest, ScreenshotsTheShowNeverReachedAreReported) {
  shell::ShowOptions options;
  options.fps = 10;
  options.until = 0.5f;
  options.screenshots = {{0.75f, "after-the-end.png"}};
  testing::internal::CaptureStderr();
  EXPECT_EQ(run(options), 1);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("after-the-end.png"), std::string::npos) << said;
  EXPECT_EQ(world.driver.count("glReadPixels"), 0u);
}

TEST_F(StartUpTest, FixedStepClockEndsAtTheRequestedTime) {
  shell::ShowOptions options;
  options.fps = 10;
  options.until = 1.0f;
  EXPECT_EQ(run(options), 1);
  EXPECT_EQ(world.driver.count("SwapBuffers"), 11u);  // frames at 0.0, 0.1, ..., 1.0
  EXPECT_EQ(host().log.back(), "restore");
}

}  // namespace
