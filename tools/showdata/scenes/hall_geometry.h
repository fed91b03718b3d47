#pragma once
// The domed hall of demo\mosquee.kst, part by part, in metres on the plan of
// hall_layout.h: a tiled floor, side walls with their windows, end walls with
// the niche and the door, two arcades of columns and horseshoe arches, a flat
// wooden ceiling and the dome with its oculus. Every part is seen from
// inside the hall.
#include <cstdint>

#include "scenes/scene_mesh.h"

namespace showdata::hall {

// The hall's surfaces, in the scene's order.
enum Surface : std::uint16_t { kFloor, kStone, kGlass, kArch, kColumn, kDome, kCeiling, kNiche, kDoor, kSky, kSurfaceCount };

// A round-headed opening in a wall, recessed to a back panel.
struct ArchedOpening {
  float centre;     // along the wall
  float halfWidth;  // also the radius of the head
  float sill;
  float spring;     // where the head starts
  float depth;      // how far the back panel lies behind the wall's face
  std::uint16_t backSurface;
};

// A wall standing on the floor: its face runs from `origin` along `along`
// (horizontal, unit) for `length`, up to `height`, seen from `seen`.
struct WallPlan {
  Vector3 origin;
  Vector3 along;
  Vector3 seen;
  float length = 0.0f;
  float height = 0.0f;
  std::vector<ArchedOpening> openings;  // by increasing centre
};
SceneMesh archedWall(const WallPlan& plan);

SceneMesh floorSlab();
SceneMesh sideWall(int side);
SceneMesh endWall(int end);  // -1 the entrance with its door, +1 the niche wall
SceneMesh ceilingAroundDome();
SceneMesh domeWithOculus();
// One column standing at the origin (plinth, shaft, capital, abacus).
SceneMesh column();
// One horseshoe arch band springing from two columns kColumnSpacing apart,
// centred on the origin, spanning along z.
SceneMesh archBand();
constexpr float kColumnHeight = 4.7f;  // the top of the abacus, where the arches spring

}  // namespace showdata::hall
