#pragma once
// The domed hall of demo\mosquee.kst and its light shafts share one plan, so
// that the shafts (separate LWO2 objects drawn through the scene's camera)
// leave exactly through the windows and the oculus the scene shows.
//
// Metres while building, x across the hall, y up, z along it from the
// entrance (z = -halfLength) to the niche wall; everything the files hold
// is then scaled by kUnitsPerMetre, which is chosen for the volumetric
// light: it adds ten times the shaft's depth in scene units to the colour,
// so a shaft a window wide should be a few hundredths of a unit thick.
#include <array>
#include <vector>

#include "render/vector3.h"

namespace showdata::hall {

constexpr float kUnitsPerMetre = 0.02f;

constexpr float kHalfWidth = 8.0f;    // inner faces of the side walls at x = ±8
constexpr float kHalfLength = 11.0f;  // end walls at z = ±11
constexpr float kWallHeight = 9.0f;   // the flat ceiling
constexpr float kWallThickness = 0.7f;
constexpr float kDomeRadius = 6.0f;   // a hemisphere on the ceiling, centred over (0, 9, 0)
constexpr float kOculusRadius = 1.0f;
constexpr float kColumnRow = 4.2f;    // the two arcades stand at x = ±4.2
constexpr std::array<float, 6> kColumnZ = {-8.25f, -4.95f, -1.65f, 1.65f, 4.95f, 8.25f};

// Four windows in each side wall, facing each other in pairs.
constexpr std::array<float, 4> kWindowZ = {-7.5f, -2.5f, 2.5f, 7.5f};
constexpr float kWindowHalfWidth = 0.7f;
constexpr float kWindowSill = 2.8f;
constexpr float kWindowSpring = 6.4f;  // where the round head starts

// The sun comes through the windows of the -x wall from the left and a
// little behind; the +x wall gets its mirror image (the light of the
// hall is symmetric about its axis, x = 0).
Vector3 sunThroughWindows(int side);  // side -1 or +1: the wall the light enters by
// The oculus lets in two slanted beams, one per side.
Vector3 sunThroughOculus(int side);

// The window's opening on the inner face of its wall (x = side · halfWidth),
// a convex outline: the sill corners, then the round head. Listed so that
// Cross(p1 - p0, p2 - p0) points into the hall.
std::vector<Vector3> windowOutline(int side, int index, int headSegments = 10);

// The oculus where it opens in the dome: a ring of points, counter-clockwise
// seen from below (Cross points down into the hall).
std::vector<Vector3> oculusOutline(int segments = 16);
float oculusHeight();
float domeTop();

// The shafts: which window each light-volume file starts from (-1: the oculus).
struct Shaft {
  const char* file;  // the show's name
  int side;          // -1 or +1
  int window;        // index into kWindowZ, or -1 for the oculus
};
const std::array<Shaft, 8>& shafts();

// The light's way from an opening down to the floor: each outline point
// and where it lands on y = 0.
std::vector<Vector3> floorLanding(const std::vector<Vector3>& outline, Vector3 direction);

}  // namespace showdata::hall
