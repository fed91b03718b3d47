#pragma once
// How a mesh primitive cuts the piece of one surface into chunks of at most
// a given number of triangles: a piece too large is cut across the longest
// axis of its box, at the mean vertex coordinate on that axis, and both
// halves are treated the same way. Runs on the thread that builds the mesh.
#include <cstdint>
#include <memory>
#include <vector>

#include "persist/stored_values.h"
#include "render/plane3d.h"
#include "render/robust_mesh.h"
#include "scene/mesh/mesh_chunk.h"

namespace meshchunks {

// 0, 1, 2 for x, y, z: the longest extent; a tie goes to the later axis.
int splitAxis(const persist::BoundingBox& box);

// Perpendicular to splitAxis of the piece's box, through the mean vertex
// coordinate on that axis; the front (n·p + d >= 0) is the upper side.
Plane3d splitPlane(const kst::RobustMesh& piece);

// The chunks of one piece, the front half's before the back half's. A cut
// that leaves one half empty ends the cutting: the piece becomes one chunk,
// or, when it is too large for 16-bit indices, runs of maxTriangles
// triangles in list order.
std::vector<std::unique_ptr<MeshChunk>> cutIntoChunks(const kst::RobustMesh& piece, std::uint32_t maxTriangles);

}  // namespace meshchunks
