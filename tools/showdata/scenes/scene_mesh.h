#pragma once
// Meshes of the scene files, as the generators build them: vertices with a
// normal (for the baked light), texture coordinates and a colour with
// alpha, triangles tagged with the scene's surface numbers.
//
// Winding while building is the one of objects/mesh.h: a triangle's seen
// side is the one Cross(b - a, c - a) points to. The scene's render list
// draws the other way round (front faces counter-clockwise in its mirrored
// eye space), so robustMesh turns every triangle over on the way out; the
// generators never think about it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/raster.h"
#include "objects/mesh.h"
#include "render/matrix44.h"
#include "render/vector3.h"

namespace kst {
class RobustMesh;
}

namespace showdata {

struct SceneVertex {
  Vector3 position{};
  Vector3 normal{};  // toward the seen side, unit length
  float u = 0.0f;
  float v = 0.0f;
  float u2 = 0.0f;  // a second set, for surfaces with a second texture layer
  float v2 = 0.0f;
  Colour colour{1.0f, 1.0f, 1.0f};
  float alpha = 1.0f;
};

// The triangles' surfaces are the scene's surface numbers.
struct SceneMesh : TriangleList {
  std::vector<SceneVertex> vertices;

  std::uint32_t add(const SceneVertex& vertex);
  // `other` placed by `matrix` (normals turned with it) appended.
  void append(const SceneMesh& other, const Matrix44& matrix = Matrix44{});
  // Every vertex coloured alike.
  void paint(Colour colour, float alpha = 1.0f);
  // The vertices of the triangles of one surface coloured alike (parts
  // built apart share no vertices).
  void paintSurface(std::uint16_t surface, Colour colour);
};

// The rotation part of `matrix` applied to a normal, renormalised (the
// generators place parts with rotations and uniform scales only).
Vector3 turnedNormal(const Matrix44& matrix, Vector3 normal);

// Matrix shorthands for placing parts.
Matrix44 translation(Vector3 offset);
Matrix44 scaling(float factor);

// The engine's mesh of `mesh`: triangles turned over for the scene's
// winding, corner colours, `texCoordSets` (1 or 2) texture-coordinate
// sets, surfaces renumbered 0.. in order of first use; `surfaceNames` gets
// the scene's surface names in that order (each one a sub-mesh with
// triangles). The engine builds smoothed normals from the turned triangles
// (creases above 60 degrees stay sharp), so they point away from the seen
// side; the scene surfaces draw unlit and never read them.
std::unique_ptr<kst::RobustMesh> robustMesh(const SceneMesh& mesh, const std::vector<std::string>& sceneSurfaceNames,
                                            int texCoordSets, std::vector<std::string>& surfaceNames);

// Turns the whole mesh over (triangles and normals) when its first
// triangle is not seen from `seen`: for flat parts built in whatever order.
void faceToward(SceneMesh& mesh, Vector3 seen);

}  // namespace showdata
