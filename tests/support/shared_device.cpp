#include "support/shared_device.h"

#include <cstdlib>

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace fake {

bool sharedRenderDevice(const char* title, int width, int height) {
  // Kept reachable here even when a test later installs another host.
  static platform::SdlHost* host = nullptr;
  static const bool ready = [&] {
    // The software driver draws on the calling thread: with its worker
    // threads the leak checker's end-of-run thread scan has crashed (a bad
    // dynamic TLS range) in runs under ctest. A caller's choice is kept.
    setenv("LP_NUM_THREADS", "0", 0);
    host = new platform::SdlHost(true);
    platform::setHost(host);
    glStateCache.Reset();
    ResetGLTable();
    return host->createWindow(title, width, height, false) &&
           CreateRenderDevice(host->windowDC(), 0, width, height);
  }();
  return ready;
}

}  // namespace fake
