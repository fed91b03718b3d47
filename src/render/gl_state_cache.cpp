#include "render/gl_state_cache.h"

#include <bit>
#include <map>
#include <mutex>

#include "platform/context_hooks.h"
#include "render/gl_table.h"

constinit thread_local GLStateCache glStateCache;

namespace {

// The caches of the contexts that are current on no thread. A context that
// moves to another thread (a read on a larger stack, say) takes its cache
// along; one made current for the first time starts from the known state.
std::mutex restingLock;

std::map<HGLRC, GLStateCache>& resting() {
  static std::map<HGLRC, GLStateCache> caches;
  return caches;
}

void contextReleased(HGLRC context) {
  std::lock_guard<std::mutex> hold(restingLock);
  resting()[context] = std::move(glStateCache);
  glStateCache = GLStateCache();
}

void contextMadeCurrent(HGLRC context) {
  std::lock_guard<std::mutex> hold(restingLock);
  const auto found = resting().find(context);
  if (found == resting().end()) {
    glStateCache = GLStateCache();
    return;
  }
  glStateCache = std::move(found->second);
  resting().erase(found);
}

void contextDeleted(HGLRC context) {
  std::lock_guard<std::mutex> hold(restingLock);
  resting().erase(context);
}

[[maybe_unused]] const bool cachesFollowContexts = [] {
  platform::setContextHooks({contextReleased, contextMadeCurrent, contextDeleted});
  return true;
}();

void setCap(GLenum cap, bool on) { on ? gl.glEnable(cap) : gl.glDisable(cap); }

void setClientState(GLenum array, bool on) {
  on ? gl.glEnableClientState(array) : gl.glDisableClientState(array);
}

void switchTexture2D(bool on) { setCap(GL_TEXTURE_2D, on); }

void switchTexCoordArray(bool on) { setClientState(GL_TEXTURE_COORD_ARRAY, on); }

void updateClientState(bool& cached, bool enable, GLenum array) {
  if (cached == enable) return;
  setClientState(array, enable);
  cached = enable;
}

}  // namespace

void GLStateCache::applyMask(std::uint32_t& cached, std::uint32_t mask, UnitSwitch change) {
  // Only the units that change, lowest first.
  for (std::uint32_t changed = cached ^ mask; changed != 0; changed &= changed - 1) {
    const int unit = std::countr_zero(changed);
    SelectTextureUnit(unit);
    change((mask >> unit & 1u) != 0);
  }
  cached = mask;
}

void GLStateCache::SetTextureMask(std::uint32_t mask) { applyMask(textureMask, mask, switchTexture2D); }

void GLStateCache::SetTexCoordArrayMask(std::uint32_t mask) {
  applyMask(texCoordArrayMask, mask, switchTexCoordArray);
}

void GLStateCache::BindTexture(int unit, GLint texture) {
  if (boundTexture[unit] == texture) return;
  SelectTextureUnit(unit);
  gl.glBindTexture(GL_TEXTURE_2D, texture);
  boundTexture[unit] = texture;
}

void GLStateCache::SetMatrixMode(GLint mode) {
  if (matrixMode == mode) return;
  gl.glMatrixMode(mode);
  matrixMode = mode;
}

void GLStateCache::switchTextureUnit(int unit) {
  if (GLCapability(GLCap::ARB_multitexture) == 0) return;
  gl.glActiveTextureARB(GL_TEXTURE0_ARB + unit);
  gl.glClientActiveTextureARB(GL_TEXTURE0_ARB + unit);
  activeTexture = unit;
}

void GLStateCache::EnableVertexArray(bool enable) { updateClientState(vertexArray, enable, GL_VERTEX_ARRAY); }

void GLStateCache::EnableNormalArray(bool enable) { updateClientState(normalArray, enable, GL_NORMAL_ARRAY); }

void GLStateCache::EnableColorArray(bool enable) { updateClientState(colorArray, enable, GL_COLOR_ARRAY); }

void GLStateCache::VertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  gl.glVertexPointer(size, type, stride, pointer);
}

void GLStateCache::NormalPointer(GLenum type, GLsizei stride, const void* pointer) {
  gl.glNormalPointer(type, stride, pointer);
}

void GLStateCache::ColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  gl.glColorPointer(size, type, stride, pointer);
}

void GLStateCache::TexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  gl.glTexCoordPointer(size, type, stride, pointer);
}

int GLStateCache::CreatePool() {
  if (pool != nullptr) return 1;
  if (GLCapability(GLCap::NV_vertex_array_range) == 0 || GLCapability(GLCap::NV_vertex_array_range2) == 0)
    return 0;
  pool = VertexPool::Create();
  return pool != nullptr ? 1 : 0;
}

void* GLStateCache::Allocate(std::uint32_t bytes) { return pool != nullptr ? pool->Allocate(bytes) : nullptr; }

void GLStateCache::Reset() { *this = GLStateCache(); }
