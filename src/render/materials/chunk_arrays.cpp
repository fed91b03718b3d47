#include "render/materials/chunk_arrays.h"

#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/mesh/mesh_chunk.h"

namespace kst {

ChunkVertexArray::ChunkVertexArray(const MeshChunk& chunk) {
  glStateCache.VertexPointer(3, GL_FLOAT, 12, chunk.positions.data());
  glStateCache.EnableVertexArray(true);
  if (GLCapability(GLCap::EXT_compiled_vertex_array) != 0) {
    gl.glLockArraysEXT(0, static_cast<GLsizei>(chunk.vertexCount));
    locked_ = true;
  }
}

ChunkVertexArray::~ChunkVertexArray() {
  if (locked_) gl.glUnlockArraysEXT();
  glStateCache.EnableVertexArray(false);
}

}  // namespace kst
