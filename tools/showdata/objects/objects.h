#pragma once
// The show's objects as meshes. Each generator is a pure function of its
// settings and names its technique in its file; every closed part has its
// fronts outward (see mesh.h).
#include <cstdint>

#include "objects/mesh.h"

namespace showdata {

struct EmblemSettings {
  int ringSegments = 112;
  int outlineSmoothness = 5;  // outline points per control span
  float scale = 1.0f;
};
// The bird in its ring: a swept rounded band and a bevelled slab; surface 0
// the ring, 1 the bird (emblem.cpp).
Mesh emblem(const EmblemSettings& settings = {});

struct TorusKnotSettings {
  int p = 2;  // turns through the hole
  int q = 3;  // turns around the axis
  int segments = 192;
  int sides = 12;
  float tubeRadius = 0.36f;  // in units of the knot's core circle (radius 2)
  int bands = 12;            // alternating surfaces along the tube
  float scale = 0.32f;
};
// A thick (p, q) torus knot tube; closed (torus_knot.cpp).
Mesh torusKnot(const TorusKnotSettings& settings = {});

struct RoundedCubeSettings {
  float rounding = 0.3f;  // radius of the rounded edges, the cube's half side being 1
};
// A cube with rounded edges: a subdivided cube whose points are pulled onto
// a rounded box; closed (rounded_cube.cpp).
Mesh roundedCube(const RoundedCubeSettings& settings = {});

struct OctahedronSettings {
  int subdivisions = 4;      // per face edge
  float stretch = 1.3f;      // height against width
};
// A stretched octahedron with subdivided flat faces; closed (faceted_octahedron.cpp).
Mesh facetedOctahedron(const OctahedronSettings& settings = {});

struct StarSettings {
  float body = 0.5f;   // radius of the core sphere
  float spike = 1.15f; // radius of the spike tips
};
// An icosahedron split three ways per edge, its twelve corners drawn out
// into spikes; closed (spiky_star.cpp).
Mesh spikyStar(const StarSettings& settings = {});

}  // namespace showdata
