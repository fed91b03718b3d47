#include "shell/start_up.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "capture/capture_error.h"
#include "platform/host.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "shell/frame_loop.h"
#include "music/music.h"
#include "shell/dev_mode.h"
#include "shell/event_listing.h"
#include "shell/show_capture.h"
#include "shell/show_preparation.h"
#include "shell/show_script.h"
#include "shell/show_window.h"
#include "shell/texts.h"

namespace shell {
namespace {

bool backgroundLoading = false;

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

// The data is made apart from the program; without it there is no show.
bool dataFolderFound() {
  std::error_code error;
  return std::filesystem::is_directory("demo", error);
}

// A capture that fails ends the show in order: its file removed (the
// capture goes while the device's context is current), the display
// restored, then the reason said; the program ends with -1.
int endFailedCapture(std::optional<ShowCapture>& recording, const char* reason) {
  recording.reset();
  music::stopMusic();
  shutDown(-1);
  std::fprintf(stderr, "skyward: %s\n", reason);
  return -1;
}

// Whatever stops a capture (its own failure, memory running out, anything
// thrown while frames are drawn and captured) is that capture's failure;
// without a capture the failure goes on up as before.
// The capture is made before the show is prepared, so the sound it starts
// is mixed offline from the first sample.
int playShow(ShowOptions options, const ShowPreparation& prepare, const ShowBuild& build) {
  settleCaptureDefaults(options);
  ShowClock clock(options.fps, options.start);
  std::optional<ShowCapture> recording;
  std::optional<DevMode> dev;
  try {
    if (options.capture) recording.emplace(*options.capture, *options.fps, options.crf, options.start, *options.until);
    // From the start, so that after a late start the development mode's
    // first move back (or reading again) takes back what the catch-up
    // unloaded instead of reading it again.
    if (options.dev) keepUnloadedObjects(true);
    prepare(backgroundLoading, clock);
    if (options.dev) dev.emplace(options, clock, backgroundLoading, build);
    runFrameLoop(clock, options, recording ? &*recording : nullptr, dev ? &*dev : nullptr);
    if (recording) recording->finish();
  } catch (const capture::CaptureError& error) {
    return endFailedCapture(recording, error.what());
  } catch (const std::exception& error) {
    if (!recording) throw;
    return endFailedCapture(recording,
                            capture::CaptureError(*options.capture, capture::failureReason(error)).what());
  } catch (...) {
    if (!recording) throw;
    return endFailedCapture(recording, capture::CaptureError(*options.capture, "an unknown failure").what());
  }
  recording.reset();
  music::stopMusic();
  return shutDown(1);
}

}  // namespace

bool preloadChoice() { return backgroundLoading; }

int WinMain(const ShowOptions& options) { return WinMain(options, prepareShow); }

int WinMain(const ShowOptions& options, const ShowPreparation& prepare, const ShowBuild& build) {
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
  if (!createShowWindow(!options.windowed)) {
    const int result = failStartUp(false, kWindowFailure, false);
    if (platform::host().displayMissing()) std::fprintf(stderr, "%s\n", kNoDisplayHint);
    return result;
  }
  if (!CreateRenderDevice(platform::host().windowDC(), 0, 800, 600)) return failStartUp(true, kDeviceFailure, false);
  if (!GLCapability(GLCap::ARB_multitexture)) return failWithDevice(kExtensionFailure);
  if (!dataFolderFound()) return failWithDevice(kDataMissing);
  return playShow(options, prepare, build);
}

}  // namespace shell
