#pragma once
// A flat outline made solid: the outline extruded to a slab with rounded
// (quarter-round) bevels on both faces, the faces filled by ear clipping.
#include <vector>

#include "core/shapes.h"
#include "objects/mesh.h"

namespace showdata {

struct BevelSettings {
  float halfDepth = 0.05f;  // the slab spans z = -halfDepth .. +halfDepth
  float bevel = 0.02f;      // inset and depth of the rounded edge
  int steps = 3;            // segments of each quarter round
  std::uint16_t surface = 0;
};

// `outline`: a simple polygon, counter-clockwise with y up. The result is
// one closed part, fronts outward.
Mesh bevelledSlab(const std::vector<Point>& outline, const BevelSettings& settings);

// Ear clipping of a simple counter-clockwise polygon: index triples, each
// counter-clockwise. Empty when the polygon cannot be cut (self-crossing).
std::vector<std::uint32_t> triangulatePolygon(const std::vector<Point>& polygon);

// The polygon moved inward by `distance` along its mitred vertex normals.
std::vector<Point> insetPolygon(const std::vector<Point>& polygon, float distance);

}  // namespace showdata
