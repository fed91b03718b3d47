#pragma once
// Parametric surfaces as vertex grids: the shape of every curved part of
// the scenes (domes, columns, rings, blobs' boxes, floors). A grid of
// (rows + 1) x (columns + 1) vertices is joined by quads; the seen side is
// the one Cross(dP/di, dP/dj) points to, and the vertex normals follow the
// grid's own partial differences, so a closed lathe or torus is smooth
// across its seam when `wrapRows` / `wrapColumns` says it closes.
#include <cstdint>
#include <functional>

#include "scenes/scene_mesh.h"

namespace showdata {

struct GridPlan {
  int rows = 1;     // i runs 0 .. rows
  int columns = 1;  // j runs 0 .. columns
  bool wrapRows = false;     // row `rows` is row 0 again (for normals)
  bool wrapColumns = false;  // column `columns` is column 0 again
  std::function<Vector3(int i, int j)> position;
  // Texture coordinates of vertex (i, j); default (j / columns, i / rows).
  std::function<std::pair<float, float>(int i, int j)> texCoord;
};

SceneMesh grid(const GridPlan& plan, std::uint16_t surface);

// A profile of (radius, height) points turned about the y axis. Listed
// bottom to top, the outside is the seen side; `inward` shows the inside
// instead. u runs round `uRepeats` times, v along the profile by its length
// times `vScale`.
struct LathePlan {
  std::vector<std::pair<float, float>> profile;  // (radius, y), bottom to top
  int segments = 24;
  float uRepeats = 1.0f;
  float vScale = 1.0f;
  bool inward = false;
};
SceneMesh lathe(const LathePlan& plan, std::uint16_t surface);

// An axis-aligned box; each face mapped from the low corner in world units
// times `uvScale` (1 with a unit box: one picture per face).
// `inward` shows the inside (a room) instead of the outside.
SceneMesh box(Vector3 low, Vector3 high, std::uint16_t surface, float uvScale = 1.0f, bool inward = false);

// A flat convex polygon as a fan from its first point, seen from the side
// Cross(p1 - p0, p2 - p0) points to. Mapped by the projection on two axes
// (u along `uAxis`, v along `vAxis`) times `uvScale`.
SceneMesh convexPolygon(const std::vector<Vector3>& points, Vector3 uAxis, Vector3 vAxis, float uvScale, std::uint16_t surface);

// A torus about the y axis: ring radius, tube radius.
SceneMesh torus(float ringRadius, float tubeRadius, int segments, int sides, float uRepeats, std::uint16_t surface);

}  // namespace showdata
