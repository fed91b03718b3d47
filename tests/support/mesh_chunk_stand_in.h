#pragma once
// Stands in for the mesh chunk's element draw until the mesh primitives
// land in the engine: the triangle list as one glDrawElements. Weak, so the
// engine's own definition wins wherever it is linked. Remove this header
// (and its includes) once src/scene/mesh defines MeshChunk::DrawSubMesh.
#include "render/gl_table.h"
#include "scene/mesh/mesh_chunk.h"

__attribute__((weak)) void MeshChunk::DrawSubMesh() const {
  gl.glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_SHORT, indices.data());
}
