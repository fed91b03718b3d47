#include "render/device.h"

#include <memory>

#include "persist/class_registration.h"
#include "platform/host.h"
#include "render/gl_table.h"

namespace {

std::unique_ptr<KS_3Ddevice> device;

PIXELFORMATDESCRIPTOR describeFormat(std::int32_t colourBits) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_GENERIC_ACCELERATED;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<std::uint8_t>(colourBits);
  format.cDepthBits = 24;
  format.cStencilBits = 8;
  return format;
}

}  // namespace

KS_3Ddevice::KS_3Ddevice(HDC windowDC) : dc_(windowDC) {
  if (LoadGLLibraries() == 0) throw LibrariesMissing;
  desktopDepth_ = platform::host().screenBitsPerPixel();
  moreThan8Bits_ = desktopDepth_ > 8;
  setPixelFormat();
  createContext();
  BindGLEntryPoints();
}

KS_3Ddevice::~KS_3Ddevice() {
  multisampled.reset();  // while the context that made it is current
  gl.wglMakeCurrent(nullptr, nullptr);
  gl.wglDeleteContext(context_);
}

// A palette desktop cannot hold the show's colours.
void KS_3Ddevice::setPixelFormat() {
  if (!moreThan8Bits_) throw NoPixelFormat;
  const PIXELFORMATDESCRIPTOR format = describeFormat(desktopDepth_);
  const int index = gl.ChoosePixelFormat(dc_, &format);
  if (index == 0 || gl.SetPixelFormat(dc_, index, &format) == 0) throw NoPixelFormat;
}

// A context that cannot be made or made current leaves nothing to draw
// with: reported like a missing pixel format.
void KS_3Ddevice::createContext() {
  context_ = gl.wglCreateContext(dc_);
  if (context_ == nullptr) throw NoPixelFormat;
  if (gl.wglMakeCurrent(dc_, context_) == 0) {
    gl.wglDeleteContext(context_);
    throw NoPixelFormat;
  }
}

bool CreateRenderDevice(HDC windowDC, int, int width, int height) {
  device.reset();
  try {
    device = std::make_unique<KS_3Ddevice>(windowDC);
  } catch (KS_3Ddevice::EError) {
    return false;
  }
  device->width = width;
  device->height = height;
  RegisterClassFactories();
  return true;
}

void DestroyRenderDevice() { device.reset(); }

void Present() {
  if (device != nullptr) gl.SwapBuffers(device->deviceContext());
}

KS_3Ddevice* RenderDevice() { return device.get(); }

int UseFrameSamples(int samples) {
  if (device == nullptr) return 0;
  device->multisampled = kst::MultisampledFrame::Make(samples, device->width, device->height);
  return device->multisampled != nullptr ? device->multisampled->samples() : 0;
}

void BeginFrame() {
  if (device != nullptr && device->multisampled != nullptr) device->multisampled->bind(device->width, device->height);
}

void ResolveFrame() {
  if (device != nullptr && device->multisampled != nullptr) device->multisampled->resolve();
}
