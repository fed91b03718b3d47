#include "support/shared_device.h"

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace fake {

bool sharedRenderDevice(const char* title, int width, int height) {
  // Kept reachable here even when a test later installs another host.
  static platform::SdlHost* host = nullptr;
  static const bool ready = [&] {
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
