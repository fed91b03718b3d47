// The hall's floor, ceiling, dome, columns and arches.
#include <algorithm>
#include <cmath>

#include "scenes/hall_geometry.h"
#include "scenes/hall_layout.h"
#include "scenes/surfaces_grid.h"

namespace showdata::hall {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kFloorTile = 0.5f;    // the tile picture spans 2 m
constexpr float kCeilingTile = 1.0f / 3.0f;

}  // namespace

SceneMesh floorSlab() {
  GridPlan g;
  g.rows = 44;
  g.columns = 32;
  auto point = [](int i, int j) {
    return Vector3{-kHalfWidth + 2.0f * kHalfWidth * j / 32, 0.0f, -kHalfLength + 2.0f * kHalfLength * i / 44};
  };
  g.position = point;
  g.texCoord = [&](int i, int j) {
    const Vector3 p = point(i, j);
    return std::pair{p.x * kFloorTile, p.z * kFloorTile};
  };
  SceneMesh floor = grid(g, kFloor);
  // The second set spans the whole floor once: the light map.
  for (SceneVertex& vertex : floor.vertices) {
    vertex.u2 = (vertex.position.x + kHalfWidth) / (2.0f * kHalfWidth);
    vertex.v2 = (vertex.position.z + kHalfLength) / (2.0f * kHalfLength);
  }
  faceToward(floor, {0.0f, 1.0f, 0.0f});
  return floor;
}

// The flat ceiling with a round hole for the dome: rays from the hall's
// middle, from the dome's rim out to the walls (the corners among them).
SceneMesh ceilingAroundDome() {
  std::vector<float> angles;
  constexpr int kSegments = 64;
  for (int k = 0; k < kSegments; ++k) angles.push_back(2.0f * kPi * k / kSegments);
  for (float sx : {-1.0f, 1.0f})
    for (float sz : {-1.0f, 1.0f}) {
      float a = std::atan2(sz * kHalfLength, sx * kHalfWidth);
      angles.push_back(a < 0.0f ? a + 2.0f * kPi : a);
    }
  std::sort(angles.begin(), angles.end());
  auto wallDistance = [](float a) {
    const float c = std::fabs(std::cos(a)), s = std::fabs(std::sin(a));
    return std::min(c > 1e-6f ? kHalfWidth / c : 1e9f, s > 1e-6f ? kHalfLength / s : 1e9f);
  };
  constexpr int kRings = 5;
  GridPlan g;
  g.rows = kRings;
  g.columns = static_cast<int>(angles.size());
  auto point = [&](int i, int j) {
    const float a = angles[static_cast<std::size_t>(j) % angles.size()];
    const float r = kDomeRadius + (wallDistance(a) - kDomeRadius) * i / kRings;
    return Vector3{r * std::cos(a), kWallHeight, r * std::sin(a)};
  };
  g.position = point;
  g.wrapColumns = true;
  g.texCoord = [&](int i, int j) {
    const Vector3 p = point(i, j);
    return std::pair{p.x * kCeilingTile, p.z * kCeilingTile};
  };
  SceneMesh ceiling = grid(g, kCeiling);
  faceToward(ceiling, {0.0f, -1.0f, 0.0f});
  return ceiling;
}

// A hemisphere seen from inside up to the oculus, then the oculus's short
// shaft and the sky above it.
SceneMesh domeWithOculus() {
  LathePlan dome;
  const float top = std::asin(kOculusRadius / kDomeRadius);
  constexpr int kRows = 14;
  for (int i = 0; i <= kRows; ++i) {
    const float a = (0.5f * kPi - top) * i / kRows;  // elevation
    dome.profile.push_back({kDomeRadius * std::cos(a), kWallHeight + kDomeRadius * std::sin(a)});
  }
  dome.segments = 64;
  dome.uRepeats = 16.0f;
  dome.inward = true;
  SceneMesh mesh = lathe(dome, kDome);
  for (SceneVertex& vertex : mesh.vertices) vertex.v = (vertex.position.y - kWallHeight) / (oculusHeight() - kWallHeight);
  LathePlan shaft;
  shaft.profile = {{kOculusRadius, oculusHeight()}, {kOculusRadius, oculusHeight() + 0.9f}};
  shaft.segments = 16;
  shaft.uRepeats = 4.0f;
  shaft.inward = true;
  mesh.append(lathe(shaft, kStone));
  std::vector<Vector3> sky;
  for (int k = 0; k < 16; ++k) {
    const float a = 2.0f * kPi * k / 16;
    sky.push_back({kOculusRadius * std::cos(a), oculusHeight() + 0.9f, kOculusRadius * std::sin(a)});
  }
  SceneMesh disc = convexPolygon(sky, {1, 0, 0}, {0, 0, 1}, 0.5f, kSky);
  faceToward(disc, {0.0f, -1.0f, 0.0f});
  mesh.append(disc);
  return mesh;
}

SceneMesh column() {
  SceneMesh mesh = box({-0.5f, 0.0f, -0.5f}, {0.5f, 0.35f, 0.5f}, kStone, 0.5f);
  LathePlan shaft;
  // Base moulding, a shaft that narrows a little, the flared capital.
  shaft.profile = {{0.42f, 0.35f}, {0.38f, 0.5f}, {0.31f, 0.6f}, {0.3f, 2.4f}, {0.27f, 3.9f},
                   {0.3f, 4.0f},   {0.34f, 4.2f}, {0.42f, 4.38f}, {0.5f, 4.45f}};
  shaft.segments = 20;
  shaft.uRepeats = 1.0f;
  shaft.vScale = 1.0f / 4.45f;
  mesh.append(lathe(shaft, kColumn));
  mesh.append(box({-0.55f, 4.45f, -0.55f}, {0.55f, kColumnHeight, 0.55f}, kStone, 0.5f));
  return mesh;
}

// A horseshoe arch: a circle whose springing lies 25 degrees below its
// centre, banded in the voussoirs' colours, 0.5 m deep and 0.45 m thick.
SceneMesh archBand() {
  constexpr float kSpan = 3.3f;  // column to column
  constexpr float kBelow = 25.0f * kPi / 180.0f;
  const float radius = 0.5f * kSpan / std::cos(kBelow) - 0.12f;
  const float centreY = kColumnHeight + radius * std::sin(kBelow);
  constexpr float kThickness = 0.45f, kHalfDepth = 0.25f;
  constexpr int kSegments = 28;
  auto around = [&](int j, float r) {
    const float a = -kBelow + (kPi + 2.0f * kBelow) * j / kSegments;
    return Vector3{0.0f, centreY + r * std::sin(a), r * std::cos(a)};
  };
  auto voussoirs = [&](int, int j) { return std::pair{static_cast<float>(j) / kSegments * 9.0f, 0.0f}; };
  SceneMesh mesh;
  for (float r : {radius, radius + kThickness}) {
    GridPlan face;  // the underside (seen from the arch's middle) or the top
    face.rows = 1;
    face.columns = kSegments;
    face.position = [&](int i, int j) { return around(j, r) + Vector3{i == 0 ? -kHalfDepth : kHalfDepth, 0.0f, 0.0f}; };
    face.texCoord = [&](int i, int j) { return std::pair{voussoirs(i, j).first, static_cast<float>(i)}; };
    SceneMesh part = grid(face, kArch);
    // The first quad springs at -25 degrees: the underside there is seen
    // from the circle's centre, the top from outside it.
    const Vector3 outward = around(0, 1.0f) - Vector3{0.0f, centreY, 0.0f};
    faceToward(part, r == radius ? -outward : outward);
    mesh.append(part);
  }
  for (float x : {-kHalfDepth, kHalfDepth}) {
    GridPlan side;  // the arch's faces toward the nave and the aisle
    side.rows = 1;
    side.columns = kSegments;
    side.position = [&](int i, int j) { return around(j, radius + kThickness * i) + Vector3{x, 0.0f, 0.0f}; };
    side.texCoord = [&](int i, int j) { return std::pair{voussoirs(i, j).first, 0.5f * i}; };
    SceneMesh part = grid(side, kArch);
    faceToward(part, {x, 0.0f, 0.0f});
    mesh.append(part);
  }
  return mesh;
}

}  // namespace showdata::hall
