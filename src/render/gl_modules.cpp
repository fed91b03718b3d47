#include "render/gl_modules.h"

#include <array>

#include "platform/host.h"

namespace {

constexpr std::array<const char*, 3> kModuleNames = {"opengl32.dll", "glu32.dll", "gdi32.dll"};
std::array<void*, 3> handles{};

}  // namespace

bool GLModulesLoaded() {
  for (void* handle : handles)
    if (handle != nullptr) return true;
  return false;
}

bool LoadGLModules() {
  platform::ModuleLoader& loader = platform::host().modules();
  for (std::size_t i = 0; i < handles.size(); ++i) handles[i] = loader.load(kModuleNames[i]);
  for (void* handle : handles)
    if (handle == nullptr) return false;
  return true;
}

void* FindInGLModules(const char* name) {
  for (void* handle : handles) {
    if (handle == nullptr) continue;
    if (void* address = platform::host().modules().symbol(handle, name)) return address;
  }
  return nullptr;
}

void ForgetGLModules() { handles.fill(nullptr); }
