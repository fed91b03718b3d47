#pragma once
// The GL state that drawing code changes all the time, cached so that a
// request for the state GL is already in costs no GL call. It assumes that
// nothing changes this state behind its back.
//
// GL state belongs to a context, so each context has its own cache, and
// `glStateCache` is the one of the context current on the calling thread: a
// loader uploading textures in its context never writes the main context's
// cache, and no cache is shared between threads. When a thread lets its
// context go, the cache rests with the context and goes to whichever thread
// makes it current next (a read run on a thread with a larger stack, say).
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <memory>

#include "render/vertex_pool.h"

class GLStateCache {
 public:
  static constexpr int kTextureUnits = 32;

  constexpr GLStateCache() = default;

  // Bit i of a mask stands for texture unit i.
  void SetTextureMask(std::uint32_t mask);
  void SetTexCoordArrayMask(std::uint32_t mask);
  void BindTexture(int unit, GLint texture);
  void SetMatrixMode(GLint mode);
  // Does nothing without multitexture: then there is one unit only.
  void SelectTextureUnit(int unit) {
    if (activeTexture != unit) switchTextureUnit(unit);
  }

  void EnableVertexArray(bool enable);
  void EnableNormalArray(bool enable);
  void EnableColorArray(bool enable);

  // Array pointers change with every mesh: passed straight on.
  void VertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
  void NormalPointer(GLenum type, GLsizei stride, const void* pointer);
  void ColorPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
  void TexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);

  // 1 when the pool exists (needs both NV vertex-array-range groups).
  int CreatePool();
  // Null without a pool or when it is full.
  void* Allocate(std::uint32_t bytes);

  // Back to the start state; the pool is released.
  void Reset();

  std::unique_ptr<VertexPool> pool;
  std::uint32_t textureMask = 0;
  std::uint32_t texCoordArrayMask = 0;
  std::int32_t matrixMode = 0;  // 0: no mode set yet
  std::int32_t activeTexture = 0;
  std::int32_t cullFaceMode = GL_BACK;
  std::array<std::int32_t, kTextureUnits> boundTexture = nothingBound();
  bool colorArray = false;
  bool normalArray = false;
  bool vertexArray = false;
  bool cullFace = true;  // start-up enables face culling
  bool fog = false;

 private:
  static constexpr std::array<std::int32_t, kTextureUnits> nothingBound() {
    std::array<std::int32_t, kTextureUnits> names{};
    for (std::int32_t& name : names) name = -1;
    return names;
  }
  void switchTextureUnit(int unit);
  using UnitSwitch = void (*)(bool on);
  void applyMask(std::uint32_t& cached, std::uint32_t mask, UnitSwitch change);
};

// The cache of the calling thread's current context (a thread without one
// has a cache of its own); the main thread's is ready before any other code
// runs. A context made current for the first time starts from that state.
extern thread_local GLStateCache glStateCache;
