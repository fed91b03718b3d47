#include "render/gl_table.h"

#include <array>
#include <type_traits>

#include "render/gl_modules.h"

GLEntryPoints gl;

const GLEntryInfo kGLEntries[kGLEntryCount] = {
#define GL_ENTRY(name, group) {#name, GLCap::group},
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

namespace {

const char* const kGLCapNames[kGLCapCount] = {
#define GL_GROUP(id, name) name,
#include "render/gl_groups.def"
#undef GL_GROUP
};

std::array<std::int32_t, kGLCapCount> capabilities = [] {
  std::array<std::int32_t, kGLCapCount> all{};
  all.fill(1);
  return all;
}();

// Each member has its own pointer type; these give the loader one untyped
// view of them without treating the struct as an array.
template <auto Member>
using EntryType = std::remove_reference_t<decltype(gl.*Member)>;

template <auto Member>
void* readEntry() {
  return reinterpret_cast<void*>(gl.*Member);
}

template <auto Member>
void writeEntry(void* address) {
  gl.*Member = reinterpret_cast<EntryType<Member>>(address);
}

struct EntrySlot {
  void* (*read)();
  void (*write)(void*);
};

const EntrySlot kSlots[kGLEntryCount] = {
#define GL_ENTRY(name, group) {&readEntry<&GLEntryPoints::name>, &writeEntry<&GLEntryPoints::name>},
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

}  // namespace

void* GLEntryAddress(std::size_t index) { return kSlots[index].read(); }

void SetGLEntryAddress(std::size_t index, void* address) { kSlots[index].write(address); }

const char* GLCapName(GLCap cap) { return kGLCapNames[static_cast<std::size_t>(cap)]; }

std::int32_t GLCapability(GLCap cap) { return capabilities[static_cast<std::size_t>(cap)]; }

void SetGLCapability(GLCap cap, std::int32_t value) {
  capabilities[static_cast<std::size_t>(cap)] = value;
}

void ResetGLTable() {
  gl = GLEntryPoints{};
  capabilities.fill(1);
  ForgetGLModules();
}
