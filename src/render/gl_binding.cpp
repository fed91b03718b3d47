#include <cstddef>

#include "render/gl_driver_override.h"
#include "render/gl_modules.h"
#include "render/gl_table.h"

namespace {

// Without a context only the libraries' own exports are available.
void resolveFromModules() {
  for (std::size_t i = 0; i < kGLEntryCount; ++i) {
    if (GLEntryAddress(i) != nullptr) continue;
    if (void* address = FindInGLModules(kGLEntries[i].name))
      SetGLEntryAddress(i, address);
    else
      SetGLCapability(kGLEntries[i].group, 0);
  }
}

// Extension functions usually come only from the driver; it is asked only
// while the group still counts as present.
void* findEntry(const char* name, std::int32_t flag) {
  if (void* address = FindInGLModules(name)) return address;
  if (flag == 0 || gl.wglGetProcAddress == nullptr) return nullptr;
  return reinterpret_cast<void*>(gl.wglGetProcAddress(name));
}

void resolveGroup(GLCap group, std::int32_t flag) {
  for (std::size_t i = 0; i < kGLEntryCount; ++i) {
    if (kGLEntries[i].group != group || GLEntryAddress(i) != nullptr) continue;
    void* address = findEntry(kGLEntries[i].name, flag);
    if (address == nullptr) flag = 0;
    SetGLEntryAddress(i, address);
  }
  SetGLCapability(group, flag);
}

const char* glString(GLenum name) {
  const GLubyte* text = gl.glGetString != nullptr ? gl.glGetString(name) : nullptr;
  return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

int LoadGLLibraries() {
  if (GLModulesLoaded()) return 1;
  if (!LoadGLModules()) return 0;
  resolveFromModules();
  return GLCapability(GLCap::Core) == 1 && GLCapability(GLCap::GLU) == 1 ? 1 : 0;
}

void BindGLEntryPoints() {
  const char* vendor = glString(GL_VENDOR);
  const char* renderer = glString(GL_RENDERER);
  const char* version = glString(GL_VERSION);
  glString(GL_EXTENSIONS);  // the extension test reads it afresh for each group
  // Core names the libraries lacked may come from the driver now; the group
  // loop below gives the core a second chance the same way.
  resolveGroup(GLCap::Core, 1);
  for (std::size_t g = 0; g < kGLCapCount; ++g) {
    const auto group = static_cast<GLCap>(g);
    resolveGroup(group, HasGLExtension(GLCapName(group)));
  }
  ApplyGLDriverOverrides(vendor, renderer, version);
}
