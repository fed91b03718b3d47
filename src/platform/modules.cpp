#include "platform/modules.h"

#include <dlfcn.h>

#include <cstring>

#include "platform/gl_surface.h"

namespace platform {
namespace {

// Any distinct non-null value: the gdi module is not a shared object.
char gdiModuleTag;

void* openOnce(void*& handle, const char* file) {
  if (handle == nullptr) handle = dlopen(file, RTLD_NOW | RTLD_LOCAL);
  return handle;
}

}  // namespace

DlModuleLoader::~DlModuleLoader() {
  // The libraries stay loaded: GL may still be called from static
  // destructors, and the driver does not expect to be unloaded under them.
}

void* DlModuleLoader::load(const char* name) {
  if (std::strcmp(name, "opengl32.dll") == 0) return openOnce(gl_, "libGL.so.1");
  if (std::strcmp(name, "glu32.dll") == 0) return openOnce(glu_, "libGLU.so.1");
  if (std::strcmp(name, "gdi32.dll") == 0) return &gdiModuleTag;
  return nullptr;
}

void* DlModuleLoader::symbol(void* module, const char* name) {
  if (module == nullptr) return nullptr;
  if (module == &gdiModuleTag) return gdiModuleSymbol(name);
  return dlsym(module, name);
}

}  // namespace platform
