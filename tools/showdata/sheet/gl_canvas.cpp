#include "sheet/gl_canvas.h"

#include <stdexcept>
#include <vector>

#include "platform/sdl_host.h"
#include "render/device.h"
#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace showdata {

struct GLCanvas::Window {
  platform::SdlHost host{true};
};

GLCanvas::GLCanvas(int width, int height) : window_(std::make_unique<Window>()), width_(width), height_(height) {
  platform::setHost(&window_->host);
  glStateCache.Reset();
  ResetGLTable();
  if (!window_->host.createWindow("showdata sheet", width, height, false) || !CreateRenderDevice(window_->host.windowDC(), 0, width, height)) {
    platform::setHost(nullptr);
    throw std::runtime_error("no GL device for the review sheet (is the software GL driver installed?)");
  }
}

GLCanvas::~GLCanvas() {
  DestroyRenderDevice();
  window_->host.destroyWindow();
  platform::setHost(nullptr);
}

Raster readFrame(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
  gl.glPixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  Raster picture(width, height, 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &pixels[static_cast<std::size_t>(((height - 1 - y) * width + x) * 3)];
      picture.set(x, y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f});
    }
  return picture;
}

}  // namespace showdata
