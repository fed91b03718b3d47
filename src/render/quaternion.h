#pragma once
// A rotation as a quaternion, stored (x, y, z, w) in memory order as scene
// files keep it: (x, y, z) = axis · sin(a/2), w = cos(a/2).
#include "render/matrix44.h"
#include "render/vector3.h"

struct Quaternion {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  // The rotation by `degrees` about `axis`, turning the same way as
  // Matrix44::RotationAxis. A zero axis gives the identity.
  static Quaternion FromAxisAngle(float degrees, Vector3 axis);

  // The rotation matrix. A quaternion that is not of unit length is scaled
  // to one first; the zero quaternion gives the identity.
  Matrix44 RotationMatrix() const;
};
