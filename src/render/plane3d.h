#pragma once
// Plane n·p + d = 0; the side with n·p + d >= 0 is the inside of a volume.
#include <cstdint>

#include "render/vector3.h"

class Plane3d {
 public:
  // Thrown by IntersectLine when the line runs parallel to the plane.
  enum { kParallel = 0 };

  Plane3d() = default;
  // Normal (a, b, c) and d scaled together to a unit normal.
  Plane3d(float a, float b, float c, float d);
  // The normal is kept as given.
  Plane3d(Vector3 normal, Vector3 point);
  // Normal (p2 − p1) × (p3 − p1), not normalised.
  Plane3d(Vector3 p1, Vector3 p2, Vector3 p3);

  // A point on the plane, derived from normal and d when none was given.
  Vector3 Point();
  bool Equals(const Plane3d& other) const;
  // t with point + t·direction on the plane.
  float IntersectLine(Vector3 point, Vector3 direction) const;

  float Distance(Vector3 p) const { return Dot(normal_, p) + d_; }
  Vector3 normal() const { return normal_; }
  float d() const { return d_; }
  bool pointKnown() const { return pointKnown_ != 0; }
  // Unit normal and d = −n·point (the point is derived when unknown).
  void Normalise();

 private:
  std::int32_t pointKnown_ = 0;
  Vector3 point_;
  Vector3 normal_;
  float d_ = 0.0f;
};
