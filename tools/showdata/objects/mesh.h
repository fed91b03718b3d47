#pragma once
// Indexed triangle meshes for the show's objects. Winding: a triangle's
// front is the side that Cross(b - a, c - a) points to. In LightWave's
// left-handed world that is the side from which the corners run clockwise,
// the front faces the show's mesh and shadow layers draw; so every closed
// part must have that normal pointing outward.
#include <cstdint>
#include <vector>

#include "lightwave/lwo_writer.h"
#include "render/vector3.h"

namespace showdata {

// Triangles over numbered corners, each tagged with a surface; the corners
// themselves live in the mesh kinds built on it.
struct TriangleList {
  struct Triangle {
    std::uint32_t a, b, c;
    std::uint16_t surface;
  };
  std::vector<Triangle> triangles;

  void triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint16_t surface = 0);
  // a, b, c, d around the quad; two triangles (a, b, c) and (a, c, d).
  void quad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint16_t surface = 0);
};

struct Mesh : TriangleList {
  std::vector<Vector3> points;

  std::uint32_t add(Vector3 point);
  void append(const Mesh& other);
};

// Six times the enclosed volume, positive when the fronts face outward.
double signedVolume6(const Mesh& mesh);

// Turns every triangle over when the mesh's fronts face inward; for one
// closed part built with consistent winding.
void orientOutward(Mesh& mesh);

// Points closer than `tolerance` become one (the first), triangles renumbered.
Mesh welded(const Mesh& mesh, float tolerance = 1e-5f);

// Every point moved by `offset` and scaled by `scale` around the origin.
void transform(Mesh& mesh, float scale, Vector3 offset = {});

// The object file: one layer, the mesh's triangles tagged with its surfaces.
LW::ObjectDescription lwoDescription(const Mesh& mesh, std::vector<LW::SurfaceDescription> surfaces);

}  // namespace showdata
