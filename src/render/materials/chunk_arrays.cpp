#include "render/materials/chunk_arrays.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"

namespace kst {

ChunkVertexArray::ChunkVertexArray(const ChunkArrays& arrays) {
  glStateCache.VertexPointer(3, GL_FLOAT, 12, arrays.positions.data());
  glStateCache.EnableVertexArray(true);
  if (GLCapability(GLCap::EXT_compiled_vertex_array) != 0) {
    gl.glLockArraysEXT(0, static_cast<GLsizei>(arrays.vertexCount));
    locked_ = true;
  }
}

ChunkVertexArray::~ChunkVertexArray() {
  if (locked_) gl.glUnlockArraysEXT();
  glStateCache.EnableVertexArray(false);
}

}  // namespace kst
