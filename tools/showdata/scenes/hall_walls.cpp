// Walls with round-headed openings: piers between the openings, a panel
// under each sill, a strip from each head up to the ceiling, the reveals
// through the wall's thickness and a back panel (glass, niche or door)
// recessed behind the face.
#include <algorithm>
#include <cmath>

#include "scenes/hall_geometry.h"
#include "scenes/hall_layout.h"
#include "scenes/surfaces_grid.h"

namespace showdata::hall {
namespace {

constexpr float kPi = 3.14159265f;
constexpr int kHeadSegments = 10;
constexpr float kStoneTile = 0.5f;  // texture repeats per metre

struct WallFrame {
  const WallPlan& plan;
  Vector3 at(float along, float y, float behind = 0.0f) const {
    return plan.origin + plan.along * along + Vector3{0.0f, y, 0.0f} - plan.seen * behind;
  }
};

// A flat part of the face: (along, y) points of a grid, mapped in metres.
SceneMesh facePatch(const WallFrame& frame, int rows, int columns, const std::function<std::pair<float, float>(int, int)>& point) {
  GridPlan g;
  g.rows = rows;
  g.columns = columns;
  g.position = [&](int i, int j) {
    const auto [a, y] = point(i, j);
    return frame.at(a, y);
  };
  g.texCoord = [&](int i, int j) {
    const auto [a, y] = point(i, j);
    return std::pair{a * kStoneTile, y * kStoneTile};
  };
  SceneMesh patch = grid(g, kStone);
  faceToward(patch, frame.plan.seen);
  return patch;
}

int cellsFor(float length) { return std::max(1, static_cast<int>(std::ceil(length))); }

void addRectangle(SceneMesh& wall, const WallFrame& frame, float a0, float a1, float y0, float y1) {
  if (a1 - a0 <= 1e-4f || y1 - y0 <= 1e-4f) return;
  const int rows = cellsFor(y1 - y0), columns = cellsFor(a1 - a0);
  wall.append(facePatch(frame, rows, columns, [&](int i, int j) {
    return std::pair{a0 + (a1 - a0) * j / columns, y0 + (y1 - y0) * i / rows};
  }));
}

// The opening's outline in (along, y): the sill, then the head.
std::vector<std::pair<float, float>> outline(const ArchedOpening& o) {
  std::vector<std::pair<float, float>> points;
  if (o.sill > 0.0f) points.push_back({o.centre - o.halfWidth, o.sill});
  points.push_back({o.centre + o.halfWidth, o.sill});
  for (int k = 0; k <= kHeadSegments; ++k) {
    const float angle = kPi * static_cast<float>(k) / kHeadSegments;
    points.push_back({o.centre + o.halfWidth * std::cos(angle), o.spring + o.halfWidth * std::sin(angle)});
  }
  if (o.sill <= 0.0f) points.push_back({o.centre - o.halfWidth, 0.0f});
  return points;
}

void addHeadStrip(SceneMesh& wall, const WallFrame& frame, const ArchedOpening& o, float height) {
  constexpr int kRows = 4;
  wall.append(facePatch(frame, kRows, kHeadSegments, [&](int i, int j) {
    const float angle = kPi * static_cast<float>(kHeadSegments - j) / kHeadSegments;
    const float a = o.centre + o.halfWidth * std::cos(angle);
    const float y = o.spring + o.halfWidth * std::sin(angle);
    return std::pair{a, y + (height - y) * i / kRows};
  }));
}

// The sides of the opening's tunnel through the wall, each seen from the
// opening's middle.
void addReveals(SceneMesh& wall, const WallFrame& frame, const ArchedOpening& o) {
  const auto points = outline(o);
  const Vector3 middle = frame.at(o.centre, 0.5f * (o.sill + o.spring + o.halfWidth), 0.5f * o.depth);
  for (std::size_t k = 0; k + 1 < points.size() + (o.sill > 0.0f ? 1 : 0); ++k) {
    const auto [a0, y0] = points[k];
    const auto [a1, y1] = points[(k + 1) % points.size()];
    SceneMesh side;
    const float length = std::hypot(a1 - a0, y1 - y0);
    const Vector3 corners[4] = {frame.at(a0, y0), frame.at(a1, y1), frame.at(a1, y1, o.depth), frame.at(a0, y0, o.depth)};
    const float uv[4][2] = {{0, 0}, {length, 0}, {length, o.depth}, {0, o.depth}};
    const Vector3 normal = Normalise(middle - (corners[0] + corners[1]) * 0.5f + frame.plan.seen * Dot(frame.plan.seen, (corners[0] + corners[1]) * 0.5f - middle));
    for (int c = 0; c < 4; ++c) {
      SceneVertex vertex;
      vertex.position = corners[c];
      vertex.normal = normal;
      vertex.u = uv[c][0] * kStoneTile;
      vertex.v = uv[c][1] * kStoneTile;
      side.add(vertex);
    }
    side.quad(0, 1, 2, 3, kStone);
    faceToward(side, normal);
    wall.append(side);
  }
}

void addBackPanel(SceneMesh& wall, const WallFrame& frame, const ArchedOpening& o) {
  SceneMesh panel;
  const float top = o.spring + o.halfWidth;
  for (const auto& [a, y] : outline(o)) {
    SceneVertex vertex;
    vertex.position = frame.at(a, y, o.depth);
    vertex.normal = frame.plan.seen;
    vertex.u = (a - (o.centre - o.halfWidth)) / (2.0f * o.halfWidth);
    vertex.v = 1.0f - (y - o.sill) / (top - o.sill);
    panel.add(vertex);
  }
  for (std::uint32_t k = 1; k + 1 < panel.vertices.size(); ++k) panel.triangle(0, k, k + 1, o.backSurface);
  faceToward(panel, frame.plan.seen);
  wall.append(panel);
}

}  // namespace

SceneMesh archedWall(const WallPlan& plan) {
  const WallFrame frame{plan};
  SceneMesh wall;
  float from = 0.0f;
  for (const ArchedOpening& o : plan.openings) {
    addRectangle(wall, frame, from, o.centre - o.halfWidth, 0.0f, plan.height);
    addRectangle(wall, frame, o.centre - o.halfWidth, o.centre + o.halfWidth, 0.0f, o.sill);
    addHeadStrip(wall, frame, o, plan.height);
    addReveals(wall, frame, o);
    addBackPanel(wall, frame, o);
    from = o.centre + o.halfWidth;
  }
  addRectangle(wall, frame, from, plan.length, 0.0f, plan.height);
  return wall;
}

SceneMesh sideWall(int side) {
  WallPlan plan;
  plan.origin = {side * kHalfWidth, 0.0f, -kHalfLength};
  plan.along = {0.0f, 0.0f, 1.0f};
  plan.seen = {-static_cast<float>(side), 0.0f, 0.0f};
  plan.length = 2.0f * kHalfLength;
  plan.height = kWallHeight;
  for (float z : kWindowZ)
    plan.openings.push_back({z + kHalfLength, kWindowHalfWidth, kWindowSill, kWindowSpring, 0.45f * kWallThickness, kGlass});
  return archedWall(plan);
}

SceneMesh endWall(int end) {
  WallPlan plan;
  plan.origin = {-kHalfWidth, 0.0f, end * kHalfLength};
  plan.along = {1.0f, 0.0f, 0.0f};
  plan.seen = {0.0f, 0.0f, -static_cast<float>(end)};
  plan.length = 2.0f * kHalfWidth;
  plan.height = kWallHeight;
  if (end > 0)
    plan.openings.push_back({kHalfWidth, 1.3f, 0.0f, 3.4f, 1.1f, kNiche});
  else
    plan.openings.push_back({kHalfWidth, 1.1f, 0.0f, 2.6f, 0.3f, kDoor});
  return archedWall(plan);
}

}  // namespace showdata::hall
