#include "render/inert_gl.h"

#include <type_traits>

#include "render/gl_table.h"

namespace {

template <typename F>
struct Inert;

template <typename R, typename... A>
struct Inert<R(A...)> {
  static R answer(A...) { return R(); }
};

void* const kInert[kGLEntryCount] = {
#define GL_ENTRY(name, group) reinterpret_cast<void*>(&Inert<std::remove_pointer_t<decltype(&::name)>>::answer),
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

}  // namespace

void InstallInertGLTable() {
  for (std::size_t i = 0; i < kGLEntryCount; ++i) SetGLEntryAddress(i, kInert[i]);
}
