#include "render/plane3d.h"

#include <cmath>

namespace {

constexpr float kEqualTolerance = 0.0001f;

bool Near(float a, float b) { return std::fabs(a - b) <= kEqualTolerance; }

}  // namespace

Plane3d::Plane3d(float a, float b, float c, float d) {
  const float length = Length({a, b, c});
  const float scale = length > 0.0f ? 1.0f / length : 0.0f;
  normal_ = Vector3{a, b, c} * scale;
  d_ = d * scale;
}

Plane3d::Plane3d(Vector3 normal, Vector3 point)
    : pointKnown_(1), point_(point), normal_(normal), d_(-Dot(normal, point)) {}

Plane3d::Plane3d(Vector3 p1, Vector3 p2, Vector3 p3)
    : pointKnown_(1), point_(p2), normal_(Cross(p2 - p1, p3 - p1)), d_(-Dot(normal_, p1)) {}

Vector3 Plane3d::Point() {
  if (pointKnown_ != 0) return point_;
  const Vector3 n = normal_;
  if (n.x == 0.0f && n.y == 0.0f)
    point_ = {0.0f, 0.0f, -d_ / n.z};
  else if (n.y == 0.0f && n.z == 0.0f)
    point_ = {-d_ / n.x, 0.0f, 0.0f};
  else if (n.z != 0.0f || n.x != 0.0f)
    point_ = n * -d_;
  else
    point_ = {0.0f, -d_ / n.y, 0.0f};
  pointKnown_ = 1;
  return point_;
}

bool Plane3d::Equals(const Plane3d& other) const {
  return Near(normal_.x, other.normal_.x) && Near(normal_.y, other.normal_.y) &&
         Near(normal_.z, other.normal_.z) && Near(d_, other.d_);
}

float Plane3d::IntersectLine(Vector3 point, Vector3 direction) const {
  const float along = Dot(normal_, direction);
  if (along == 0.0f) throw kParallel;
  return -(Dot(normal_, point) + d_) / along;
}

void Plane3d::Normalise() {
  const Vector3 point = Point();
  normal_ = ::Normalise(normal_);
  d_ = -Dot(normal_, point);
}
