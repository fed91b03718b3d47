#pragma once
// One chunk from a run of a piece's triangles: each distinct combination of
// position, normal, colour and texture coordinates a corner uses becomes
// one chunk vertex, the triangle list is reordered for the post-transform
// vertex cache (triangle-strip module, list output), and the vertices are
// numbered in the order the reordered list first uses them.
#include <cstddef>
#include <memory>

#include "render/robust_mesh.h"
#include "scene/mesh/mesh_chunk.h"

namespace meshchunks {

// At most this many triangles can always be indexed with 16 bits.
constexpr std::size_t kMaxListTriangles = 65535 / 3;

// Triangles first .. first + count − 1 of `piece`; count at most
// kMaxListTriangles. The reordering takes a process-wide lock: the strip
// module keeps its settings as module state.
std::unique_ptr<MeshChunk> makeChunk(const kst::RobustMesh& piece, std::size_t first, std::size_t count);

}  // namespace meshchunks
