#pragma once
// Light baked into vertex colours. The scene surfaces draw unlit (a texture
// times the vertex colour), so the shading a viewer reads — walls brighter
// by the windows, the sides of a cube darker than its top — is computed
// here once, per vertex, from the vertex normals.
#include <vector>

#include "core/raster.h"
#include "scenes/scene_mesh.h"

namespace showdata {

struct PointLight {
  Vector3 position;
  Colour colour;
  float reach = 1.0f;  // the distance at which the light has fallen to half
};

struct DirectionalLight {
  Vector3 towardLight;  // unit
  Colour colour;
};

struct Lighting {
  Colour ambient;
  // More light on faces turned up than on faces turned down: ambient plus
  // this times (1 + n.y) / 2.
  Colour sky;
  std::vector<DirectionalLight> directional;
  std::vector<PointLight> points;
};

// The light arriving at a point with the given normal (not clamped).
Colour lightAt(const Lighting& lighting, Vector3 position, Vector3 normal);

// Every vertex's colour becomes `albedo` times the light it gets (clamped
// to 1 per channel); `matrix` places the mesh in the lights' space first
// (for parts drawn at several places, lit where the model stands).
void bakeLight(SceneMesh& mesh, const Lighting& lighting, Colour albedo, const Matrix44& matrix = Matrix44{});

Colour multiply(Colour a, Colour b);

}  // namespace showdata
