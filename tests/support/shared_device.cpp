#include "support/shared_device.h"

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace fake {

bool sharedRenderDevice(const char* title, int width, int height) {
  // Kept reachable here even when a test later installs another host.
  static platform::SdlHost* const host = new platform::SdlHost(true);
  platform::setHost(host);
  const KS_3Ddevice* device = RenderDevice();
  if (device != nullptr && host->windowDC() != nullptr && device->deviceContext() == host->windowDC()) return true;
  glStateCache.Reset();
  ResetGLTable();
  if (host->windowDC() == nullptr && !host->createWindow(title, width, height, false)) return false;
  return CreateRenderDevice(host->windowDC(), 0, width, height);
}

}  // namespace fake
