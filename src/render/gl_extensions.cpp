#include <cstring>
#include <initializer_list>

#include "render/gl_table.h"

namespace {

// Groups that are not extensions: the core, GLU and the swap control.
bool alwaysPresent(const char* name) {
  for (const char* fixed : {"_GL", "_GLU", "GL_Swap"})
    if (std::strcmp(name, fixed) == 0) return true;
  return false;
}

// A match counts only when the listed name ends there; a longer name that
// merely begins with `name` is skipped. What precedes a match is not looked
// at, which is how "NV_fence" is found inside "GL_NV_fence".
bool listContains(const char* list, const char* name) {
  const std::size_t length = std::strlen(name);
  if (length == 0) return false;
  for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + length, name))
    if (at[length] == ' ' || at[length] == '\0') return true;
  return false;
}

}  // namespace

int HasGLExtension(const char* name) {
  if (alwaysPresent(name)) return 1;
  if (gl.glGetString == nullptr) return 0;
  const GLubyte* list = gl.glGetString(GL_EXTENSIONS);
  if (list == nullptr) return 0;
  return listContains(reinterpret_cast<const char*>(list), name) ? 1 : 0;
}
