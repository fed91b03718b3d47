#pragma once
// Geometry chunks for material tests: closed boxes and spheres with
// triangles wound clockwise seen from outside (the engine's front faces).
#include "scene/mesh/mesh_chunk.h"

namespace fake {

// The box between `min` and `max`: 8 corners, 12 triangles. Corner i has
// x from max when bit 0 of i is set, y when bit 1, z when bit 2.
MeshChunk boxChunk(Vector3 min, Vector3 max);

// A sphere of `rings` × `segments` quads with unit normals.
MeshChunk sphereChunk(Vector3 centre, float radius, int rings, int segments);

}  // namespace fake
