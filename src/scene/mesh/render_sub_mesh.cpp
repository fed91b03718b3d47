#include "render/gl_state_cache.h"
#include "render/gl_table.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/mesh/vertex_array_object.h"

namespace {

// Points the arrays of one kind at the chunk's object; false when the chunk
// has no object of that kind.
bool bindKind(RetainedModeData& data, int kind, std::uint32_t vertexCount) {
  if (data.arrays[kind] == nullptr) return false;
  bindArrays(*data.arrays[kind], *data.formats[kind], 0, vertexCount);
  return true;
}

}  // namespace

// An array a chunk lacks is switched off, not left pointing at another
// chunk's data (which may be shorter, or gone); one it has is switched on
// again for it.
void MeshPrimitive::RenderSubMesh::bindVertices() const {
  bindKind(mesh->retainedData(chunk), RetainedModeData::kPosition, mesh->chunks[chunk].geometry->vertexCount);
}

void MeshPrimitive::RenderSubMesh::bindColors() const {
  const bool bound =
      bindKind(mesh->retainedData(chunk), RetainedModeData::kColor, mesh->chunks[chunk].geometry->vertexCount);
  glStateCache.EnableColorArray(bound);
}

bool MeshPrimitive::RenderSubMesh::bindTexCoords(int set) const {
  if (set < 0 || set >= RetainedModeData::kTexCoordSets) return false;
  const bool bound = bindKind(mesh->retainedData(chunk), RetainedModeData::kFirstTexCoord + set,
                              mesh->chunks[chunk].geometry->vertexCount);
  // The coordinate array of the unit the caller selected.
  const std::uint32_t unitBit = std::uint32_t{1} << glStateCache.activeTexture;
  const std::uint32_t mask = glStateCache.texCoordArrayMask;
  glStateCache.SetTexCoordArrayMask(bound ? mask | unitBit : mask & ~unitBit);
  return bound;
}

void MeshPrimitive::RenderSubMesh::bindNormals() const {
  const bool bound =
      bindKind(mesh->retainedData(chunk), RetainedModeData::kNormal, mesh->chunks[chunk].geometry->vertexCount);
  glStateCache.EnableNormalArray(bound);
}

void MeshPrimitive::RenderSubMesh::draw(std::int32_t) const {
  const MeshChunk& geometry = *mesh->chunks[chunk].geometry;
  // Without its positions the chunk cannot be drawn from its own data.
  if (mesh->retainedData(chunk).arrays[RetainedModeData::kPosition] == nullptr) return;
  const bool lock = GLCapability(GLCap::EXT_compiled_vertex_array) != 0;
  if (lock) gl.glLockArraysEXT(0, static_cast<GLsizei>(geometry.vertexCount));
  geometry.DrawSubMesh();
  if (lock) gl.glUnlockArraysEXT();
}
