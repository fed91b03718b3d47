#pragma once
// What a material needs of a geometry chunk of a mesh: its vertex arrays
// with their count, and the draw of its triangles from those arrays. The
// scene's mesh chunks provide it, so the materials know nothing more of them.
#include <cstdint>
#include <span>

#include "render/mesh_channel.h"
#include "render/vector3.h"

namespace kst {

// Views into the chunk's own arrays, valid while the chunk is unchanged.
struct ChunkArrays {
  std::uint32_t vertexCount = 0;
  std::span<const Vector3> positions;
  const Vector3* normals = nullptr;  // null when the mesh has none
  const Rgba* colors = nullptr;      // null when the mesh has none
};

class ChunkGeometry {
 public:
  virtual ChunkArrays Arrays() const = 0;
  // Draws the chunk's triangles from the arrays already bound, without
  // locking them; adds to the device's frame counters when there is one.
  virtual void DrawSubMesh() const = 0;

 protected:
  // Chunks are owned and deleted as what they are, never through this view.
  ~ChunkGeometry() = default;
};

}  // namespace kst
