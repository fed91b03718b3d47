#include "shell/start_up.h"

#include <cstdio>

#include "platform/host.h"
#include "render/device.h"
#include "render/gl_table.h"
#include "shell/frame_loop.h"
#include "music/music.h"
#include "shell/show_window.h"
#include "shell/texts.h"
#include "stocks/bitmap_stock.h"
#include "stocks/mesh_stock.h"
#include "stocks/scene_stock.h"

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

int shutDown() {
  music::stopMusic();
  // Scene loaders still reading are waited for first: no thread outlives the
  // stocks or the device. Then what is still in stock is freed while its
  // context is current.
  kst::theSceneStock().clear();
  kst::theMeshStock().clear();
  kst::theBitmapStock().clear();
  DestroyRenderDevice();
  platform::host().restoreDisplayMode();
  return 1;
}

}  // namespace

bool preloadChoice() { return backgroundLoading; }

int WinMain(const ShowOptions& options) {
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
  if (!createShowWindow(!options.windowed)) {
    const int result = failStartUp(false, kWindowFailure, false);
    if (platform::host().displayMissing()) std::fprintf(stderr, "%s\n", kNoDisplayHint);
    return result;
  }
  if (!CreateRenderDevice(platform::host().windowDC(), 0, 800, 600)) return failStartUp(true, kDeviceFailure, false);
  if (!GLCapability(GLCap::ARB_multitexture)) {
    const int result = failStartUp(true, kExtensionFailure, true);
    DestroyRenderDevice();
    return result;
  }
  ShowClock clock(options.fps);
  clock.start();
  runFrameLoop(clock, options);
  return shutDown();
}

}  // namespace shell
