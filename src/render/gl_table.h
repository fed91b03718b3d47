#pragma once
// The run-time GL binding. GL is never linked: every GL, GLU, window-system
// and pixel-format function the engine calls is looked up by name into the
// table `gl`, and every optional path is chosen by a capability flag. Drawing
// code calls `gl.glEnable(...)` and asks `GLCapability(GLCap::...)`.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstddef>
#include <cstdint>

#include "platform/wgl.h"

// One capability group per flag, in the order binding tests them.
enum class GLCap : std::uint8_t {
#define GL_GROUP(id, name) id,
#include "render/gl_groups.def"
#undef GL_GROUP
};

// Entry points by table position; the enumerators are the function names.
enum class GLEntryId : std::uint16_t {
#define GL_ENTRY(name, group) name,
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

inline constexpr std::size_t kGLCapCount = 0
#define GL_GROUP(id, name) +1
#include "render/gl_groups.def"
#undef GL_GROUP
    ;

inline constexpr std::size_t kGLEntryCount = 0
#define GL_ENTRY(name, group) +1
#include "render/gl_entry_points.def"
#undef GL_ENTRY
    ;

// One typed pointer per entry point, named like the function; null until bound.
struct GLEntryPoints {
#define GL_ENTRY(name, group) decltype(&::name) name = nullptr;
#include "render/gl_entry_points.def"
#undef GL_ENTRY
};

extern GLEntryPoints gl;

struct GLEntryInfo {
  const char* name;
  GLCap group;
};

// Names and groups of the table, indexed by GLEntryId.
extern const GLEntryInfo kGLEntries[kGLEntryCount];

// Untyped access by table position, for the loader (and for test tables).
void* GLEntryAddress(std::size_t index);
void SetGLEntryAddress(std::size_t index, void* address);

const char* GLCapName(GLCap cap);
std::int32_t GLCapability(GLCap cap);
void SetGLCapability(GLCap cap, std::int32_t value);

// Loads "opengl32.dll", "glu32.dll" and "gdi32.dll" and resolves what they
// export. 1 when the core and GLU entry points are all there, else 0; 1 at
// once when a library was loaded before.
int LoadGLLibraries();

// With a current context: resolves the rest, sets every capability flag and
// applies the driver-specific overrides.
void BindGLEntryPoints();

// 1 when the extension (or always-present group) name counts as present.
int HasGLExtension(const char* name);

// Back to the unloaded state: every pointer null, every flag 1, no library.
void ResetGLTable();
