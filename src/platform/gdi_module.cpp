#include <cstring>

#include "platform/gl_surface.h"

namespace platform {
namespace {

struct Export {
  const char* name;
  void* address;
};

template <typename F>
void* address(F* function) {
  return reinterpret_cast<void*>(function);
}

const Export kExports[] = {
    {"wglCopyContext", address(&wglCopyContext)},
    {"wglCreateContext", address(&wglCreateContext)},
    {"wglCreateLayerContext", address(&wglCreateLayerContext)},
    {"wglDeleteContext", address(&wglDeleteContext)},
    {"wglGetCurrentContext", address(&wglGetCurrentContext)},
    {"wglGetCurrentDC", address(&wglGetCurrentDC)},
    {"wglGetProcAddress", address(&wglGetProcAddress)},
    {"wglMakeCurrent", address(&wglMakeCurrent)},
    {"wglShareLists", address(&wglShareLists)},
    {"wglUseFontBitmapsA", address(&wglUseFontBitmapsA)},
    {"ChoosePixelFormat", address(&ChoosePixelFormat)},
    {"DescribePixelFormat", address(&DescribePixelFormat)},
    {"GetPixelFormat", address(&GetPixelFormat)},
    {"SetPixelFormat", address(&SetPixelFormat)},
    {"SwapBuffers", address(&SwapBuffers)},
};

}  // namespace

void* gdiModuleSymbol(const char* name) {
  for (const Export& entry : kExports) {
    if (std::strcmp(entry.name, name) == 0) return entry.address;
  }
  return nullptr;
}

}  // namespace platform
