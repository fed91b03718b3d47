#pragma once
// What stands behind HDC and HGLRC on SDL. Only the stand-ins in this folder
// look inside.
#include <SDL.h>

#include "platform/wgl.h"

struct SkywardDeviceContext {
  SDL_Window* window = nullptr;
  int pixelFormat = 0;  // 0 until SetPixelFormat
  PIXELFORMATDESCRIPTOR format{};
  HGLRC primary = nullptr;  // the first context made on this surface draws into it
};

struct SkywardGLContext {
  SDL_GLContext context = nullptr;
  HDC dc = nullptr;
  // The window this context draws into. Extra contexts on one surface (the
  // background loaders) get a hidden window of their own: an EGL or GLX
  // surface may be current on one thread only, while WGL lets every thread
  // bind its own context to the same window.
  SDL_Window* drawable = nullptr;
  SDL_Window* ownWindow = nullptr;
  int shareGroup = 0;
};

namespace platform {

// GL attributes for a pixel format: colour depth as asked, depth and stencil
// bits, double buffering. SDL reads them when a window or context is made.
void applyPixelFormat(const PIXELFORMATDESCRIPTOR& format);

// The "gdi32.dll" module: our wgl and pixel-format stand-ins by name.
void* gdiModuleSymbol(const char* name);

}  // namespace platform
