#pragma once
// The vertex array of a chunk for the materials: pointed at its positions,
// enabled through the state cache and locked where the driver can, then
// unlocked and disabled again.
#include "render/materials/chunk_geometry.h"

namespace kst {

class ChunkVertexArray {
 public:
  explicit ChunkVertexArray(const ChunkArrays& arrays);
  ~ChunkVertexArray();
  ChunkVertexArray(const ChunkVertexArray&) = delete;
  ChunkVertexArray& operator=(const ChunkVertexArray&) = delete;

 private:
  bool locked_ = false;
};

}  // namespace kst
