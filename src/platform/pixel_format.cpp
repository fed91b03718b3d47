// One pixel format per window: the one the show asks for. The window was
// created with the same attributes, so the format only has to be accepted
// and remembered for the contexts made on it.
#include <SDL.h>

#include "platform/gl_surface.h"

namespace {

bool supported(const PIXELFORMATDESCRIPTOR& format) {
  const std::uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  return (format.dwFlags & needed) == needed && format.iPixelType == PFD_TYPE_RGBA &&
         format.cColorBits > 8 && format.cDepthBits <= 24 && format.cStencilBits <= 8;
}

}  // namespace

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* format) {
  return dc != nullptr && format != nullptr && supported(*format) ? 1 : 0;
}

BOOL SetPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR* format) {
  if (dc == nullptr || format == nullptr || index != 1 || !supported(*format)) return 0;
  dc->pixelFormat = index;
  dc->format = *format;
  return 1;
}

int GetPixelFormat(HDC dc) { return dc != nullptr ? dc->pixelFormat : 0; }

int DescribePixelFormat(HDC dc, int index, UINT bytes, PIXELFORMATDESCRIPTOR* format) {
  if (dc == nullptr || index != 1) return 0;
  if (format != nullptr && bytes >= sizeof(PIXELFORMATDESCRIPTOR)) *format = dc->format;
  return 1;  // the number of formats offered
}

BOOL SwapBuffers(HDC dc) {
  if (dc == nullptr || dc->window == nullptr) return 0;
  SDL_GL_SwapWindow(dc->window);
  return 1;
}
