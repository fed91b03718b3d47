#pragma once
// Marching cubes: the surface where a scalar field crosses a level, from
// the field sampled on a regular grid. In each cell the crossings on the
// cell's edges are joined face by face (a face whose corners alternate
// chooses its pairing by the mean of its corners, which both cells sharing
// it see alike, so the surface has no holes), the segments close into loops
// and each loop becomes a fan of triangles. Crossings are shared by the
// cells around an edge, and the normals follow the field's gradient.
#include <cstdint>
#include <functional>

#include "scenes/scene_mesh.h"

namespace showdata {

struct FieldGrid {
  Vector3 low;
  Vector3 high;
  int cells = 32;  // per axis
};

// The seen side is where the field is below `level` (outside the blobs of a
// field that grows toward their middles).
SceneMesh isosurface(const std::function<float(Vector3)>& field, const FieldGrid& grid, float level, std::uint16_t surface);

}  // namespace showdata
