// The night city: a street of modest blocks for the low camera, towers of
// every height beyond it, lamps along the street, and the sky dome.
#include <cmath>

#include "scenes/fireworks_parts.h"
#include "scenes/surfaces_grid.h"
#include "textures/textures.h"

namespace showdata::fireworks {
namespace {

constexpr float kFacadeMetres = 112.0f;  // the facade picture: 32 windows of 3.5 m

// A tower without its bottom face; each facade shows its own part of the
// window picture, the roof the picture's dark cell.
SceneMesh tower(Vector3 low, Vector3 high, Random& random) {
  SceneMesh block = box(low, high, kFacade, 1.0f / kFacadeMetres);
  const float du = random.unit(), dv = random.unit();
  SceneMesh kept;
  for (SceneVertex& vertex : block.vertices) {
    vertex.u += du, vertex.v += dv;
    if (vertex.normal.y > 0.5f) vertex.u = vertex.v = (kRoofCell + 0.5f) / kWindows;
  }
  for (const SceneMesh::Triangle& t : block.triangles)
    if (block.vertices[t.a].normal.y > -0.5f) kept.triangle(t.a, t.b, t.c, t.surface);
  kept.vertices = block.vertices;
  return kept;
}

}  // namespace

SceneMesh cityBlocks(Random& random) {
  SceneMesh city;
  // The street: blocks on both sides from z = 30 to 250.
  for (int side : {-1, 1})
    for (float z = 30.0f; z < 250.0f;) {
      const float length = random.between(18.0f, 34.0f);
      const float height = random.between(22.0f, 46.0f) * (1.0f - 0.3f * (z / 250.0f));
      const float inner = 14.0f, outer = random.between(32.0f, 44.0f);
      city.append(tower({side > 0 ? inner : -outer, 0.0f, z}, {side > 0 ? outer : -inner, height, z + length}, random));
      z += length + random.between(2.0f, 6.0f);
    }
  // Beyond: a loose grid of towers, kept off the street's line of sight.
  for (float z = 280.0f; z < 760.0f; z += 55.0f)
    for (float x = -560.0f; x < 560.0f; x += 55.0f) {
      if (random.unit() < 0.25f) continue;
      const float cx = x + random.between(-12.0f, 12.0f), cz = z + random.between(-12.0f, 12.0f);
      const float w = random.between(16.0f, 34.0f), d = random.between(16.0f, 34.0f);
      const bool landmark = random.unit() < 0.08f;
      const float height = landmark ? random.between(110.0f, 160.0f) : random.between(18.0f, 75.0f);
      city.append(tower({cx - w * 0.5f, 0.0f, cz - d * 0.5f}, {cx + w * 0.5f, height, cz + d * 0.5f}, random));
    }
  city.paint({1.0f, 1.0f, 1.0f});
  return city;
}

SceneMesh groundAndLamps() {
  SceneMesh scene = convexPolygon({{-2000, 0, -800}, {-2000, 0, 2000}, {2000, 0, 2000}, {2000, 0, -800}}, {1, 0, 0}, {0, 0, 1}, 0.01f, kGround);
  faceToward(scene, {0.0f, 1.0f, 0.0f});
  scene.paint({0.05f, 0.05f, 0.065f});
  for (int side : {-1, 1})
    for (float z = 35.0f; z < 250.0f; z += 22.0f) {
      const float x = side * 11.5f;
      SceneMesh pole = box({x - 0.15f, 0.0f, z - 0.15f}, {x + 0.15f, 6.0f, z + 0.15f}, kGround);
      pole.paint({0.03f, 0.03f, 0.035f});
      SceneMesh lamp = box({x - 0.5f, 6.0f, z - 0.5f}, {x + 0.5f, 6.5f, z + 0.5f}, kGround);
      lamp.paint({1.0f, 0.78f, 0.42f});
      scene.append(pole);
      scene.append(lamp);
    }
  return scene;
}

SceneMesh skyDome() {
  LathePlan dome;
  constexpr int kRows = 12;
  for (int i = 0; i <= kRows; ++i) {
    const float a = -0.08f + (0.5f * 3.14159265f + 0.08f) * i / kRows;  // from a little below the horizon
    dome.profile.push_back({2600.0f * std::cos(a), 2600.0f * std::sin(a)});
  }
  dome.segments = 32;
  dome.inward = true;
  SceneMesh sky = lathe(dome, kSky);
  for (SceneVertex& vertex : sky.vertices) vertex.v = std::min(1.0f, 1.0f - vertex.position.y / 2600.0f);
  return sky;
}

}  // namespace showdata::fireworks
