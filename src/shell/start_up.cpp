#include "shell/start_up.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "base/stop_request.h"
#include "capture/capture_error.h"
#include "platform/host.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "shell/frame_loop.h"
#include "music/music.h"
#include "shell/dev_mode.h"
#include "shell/event_listing.h"
#include "shell/frame_options.h"
#include "shell/show_capture.h"
#include "shell/show_preparation.h"
#include "shell/show_script.h"
#include "shell/show_window.h"
#include "shell/texts.h"

namespace shell {
namespace {

bool backgroundLoading = false;
constexpr int kCommandLineError = 2;

platform::Answer askDisclaimer(const ShowOptions& options) {
  if (options.preloadEverything) return *options.preloadEverything ? platform::Answer::Yes : platform::Answer::No;
  return platform::host().askQuestion(kDisclaimer, kDisclaimerCaption);
}

// A failure after the display mode may have changed still ends with the
// desktop as it was; the message comes first, as it always has.
int failStartUp(bool ownedByWindow, const char* text, bool restoreFirst) {
  platform::Host& host = platform::host();
  if (restoreFirst) host.restoreDisplayMode();
  host.showError(ownedByWindow, text, kCaption);
  if (!restoreFirst) host.restoreDisplayMode();
  return -1;
}

// The show's own message names 800x600; another size asked for is said too.
void sayWhichSizeFailed(const ShowOptions& options) {
  const FrameSize& size = options.size;
  if (size.desktop)
    std::fprintf(stderr, "skyward: --size desktop: no window over the desktop could be had\n");
  else if (size.width != kst::kLayoutWidth || size.height != kst::kLayoutHeight)
    std::fprintf(stderr, "skyward: --size %dx%d: no %s of that size could be had%s\n", size.width, size.height,
                 options.windowed ? "window" : "full-screen display mode",
                 options.windowed ? "" : " (--size desktop plays full screen at the desktop's own size)");
}

// The desktop mode is back before the message; the device goes after it.
int failWithDevice(const char* text) {
  const int result = failStartUp(true, text, true);
  DestroyRenderDevice();
  return result;
}

// The layers still on screen, those never shown and everything in stock go
// while the device's context is current; scene loaders still reading are
// waited for first, so no thread outlives the stocks or the device.
int shutDown(int result) {
  releaseShow();
  DestroyRenderDevice();
  platform::host().restoreDisplayMode();
  return result;
}

// The list needs no window, no device and no data: the events name their
// files, and nothing is read.
int listEvents() {
  buildShowUnread(backgroundLoading);
  printEvents(stdout);
  std::fflush(stdout);
  releaseShow();
  return 0;
}

// A capture that fails ends the show in order: its file removed (the
// capture goes while the device's context is current), the display
// restored, then the reason said (to a part's job runner too); the
// program ends with -1.
int endFailedCapture(std::optional<ShowCapture>& recording, const capture::CaptureError& error,
                     const PartOfCapture* part) {
  recording.reset();
  music::stopMusic();
  shutDown(-1);
  std::fprintf(stderr, "skyward: %s\n", error.what());
  if (part != nullptr && part->failed) part->failed(error.reason());
  return -1;
}

// Ctrl-C or SIGTERM before the first frame or during a move ends the show
// as Escape does, once everything is released; a capture, which then holds
// no frame yet, leaves no file.
int endStopped(std::optional<ShowCapture>& recording) {
  recording.reset();
  music::stopMusic();
  const int result = shutDown(1);
  std::fprintf(stderr, "skyward: stopped by a signal\n");
  return result;
}

// Whatever stops a capture (its own failure, memory running out, anything
// thrown while frames are drawn and captured) is that capture's failure;
// without a capture the failure goes on up as before.
// The capture is made before the show is prepared, so the sound it starts
// is mixed offline from the first sample.
int playShow(ShowOptions options, const ShowPreparation& prepare, const ShowBuild& build, const PartOfCapture* part) {
  settleCaptureDefaults(options);
  ShowClock clock(options.fps, options.start);
  std::optional<ShowCapture> recording;
  std::optional<DevMode> dev;
  try {
    if (options.capture)
      recording.emplace(*options.capture, *options.fps, options.crf, options.start, *options.until, part);
    // From the start, so that after a late start the development mode's
    // first move back (or reading again) takes back what the catch-up
    // unloaded instead of reading it again.
    if (options.dev) keepUnloadedObjects(true);
    prepare(backgroundLoading, clock);
    if (options.dev) dev.emplace(options, clock, backgroundLoading, build);
    runFrameLoop(clock, options, recording ? &*recording : nullptr, dev ? &*dev : nullptr);
    if (recording) recording->finish();
  } catch (const kst::StopAsked&) {
    return endStopped(recording);
  } catch (const capture::CaptureError& error) {
    return endFailedCapture(recording, error, part);
  } catch (const std::exception& error) {
    if (!recording) throw;
    return endFailedCapture(recording, capture::CaptureError(*options.capture, capture::failureReason(error)), part);
  } catch (...) {
    if (!recording) throw;
    return endFailedCapture(recording, capture::CaptureError(*options.capture, "an unknown failure"), part);
  }
  recording.reset();
  music::stopMusic();
  return shutDown(1);
}

}  // namespace

bool preloadChoice() { return backgroundLoading; }

bool dataFolderFound() {
  std::error_code error;
  return std::filesystem::is_directory("demo", error);
}

int WinMain(const ShowOptions& options) { return WinMain(options, prepareShow); }

int WinMain(const ShowOptions& options, const ShowPreparation& prepare, const ShowBuild& build,
            const PartOfCapture* part) {
  switch (askDisclaimer(options)) {
    case platform::Answer::Cancel:
      return 0;
    case platform::Answer::Unavailable:
      std::fprintf(stderr, "%s\n", kNobodyToAsk);
      return 0;
    case platform::Answer::Yes:
      backgroundLoading = false;
      break;
    case platform::Answer::No:
      backgroundLoading = true;
      break;
  }
  if (options.listEvents) return listEvents();
  if (!createShowWindow(options)) {
    const int result = failStartUp(false, kWindowFailure, false);
    if (platform::host().displayMissing()) std::fprintf(stderr, "%s\n", kNoDisplayHint);
    else sayWhichSizeFailed(options);
    return result;
  }
  const platform::DrawableSize drawable = platform::host().drawableSize();
  if (!CreateRenderDevice(platform::host().windowDC(), 0, drawable.width, drawable.height))
    return failStartUp(true, kDeviceFailure, false);
  if (!GLCapability(GLCap::ARB_multitexture)) return failWithDevice(kExtensionFailure);
  // A frame the driver cannot draw is a mistake of the command line, found
  // once the device can say so.
  if (const std::string beyond = frameBeyondDriver(*RenderDevice()); !beyond.empty()) {
    std::fprintf(stderr, "skyward: --size: %s\n", beyond.c_str());
    return shutDown(kCommandLineError);
  }
  reportSamples("skyward", options.samples, UseFrameSamples(options.samples));
  if (!dataFolderFound()) return failWithDevice(kDataMissing);
  return playShow(options, prepare, build, part);
}

}  // namespace shell
