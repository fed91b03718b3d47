#include "orbit_camera.h"

#include <algorithm>
#include <cmath>

namespace kstview {
namespace {

constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kFramingYaw = 30.0f;
constexpr float kFramingPitch = 20.0f;

float halfViewSlope() { return std::tan(OrbitCamera::kFieldOfView * 0.5f * kRadiansPerDegree); }

struct Sphere {
  Vector3 centre;
  float radius = 1.0f;
};

// Round the box; an empty box stands for a unit sphere at the origin.
Sphere enclosing(const persist::BoundingBox& box) {
  if (box.empty) return {};
  const Vector3 low{box.min[0], box.min[1], box.min[2]};
  const Vector3 high{box.max[0], box.max[1], box.max[2]};
  return {(low + high) * 0.5f, std::max(Length(high - low) * 0.5f, 1e-3f)};
}

}  // namespace

void OrbitCamera::frame(const persist::BoundingBox& box, float sight, const persist::BoundingBox& around) {
  const Sphere framed = enclosing(box);
  const Sphere depth = enclosing(around.empty ? box : around);
  centre_ = depth.centre;
  radius_ = depth.radius;
  target_ = framed.centre;
  framedDistance_ = framed.radius / std::sin(kFieldOfView * 0.5f * kRadiansPerDegree);
  if (sight > 0.0f) framedDistance_ = std::min(framedDistance_, sight);
  place(kFramingYaw, kFramingPitch, framedDistance_);
}

void OrbitCamera::place(float yaw, float pitch, float distance) {
  yaw_ = yaw;
  pitch_ = std::clamp(pitch, -kMaxPitch, kMaxPitch);
  distance_ = std::max(distance, 1e-4f);
}

void OrbitCamera::drag(int dx, int dy) {
  place(yaw_ + static_cast<float>(dx) * kDegreesPerPixel, pitch_ + static_cast<float>(dy) * kDegreesPerPixel,
        distance_);
}

void OrbitCamera::pan(int dx, int dy, int viewHeight) {
  // The size of a pixel at the target's depth.
  const float pixel = 2.0f * distance_ * halfViewSlope() / static_cast<float>(std::max(viewHeight, 1));
  const Vector3 f = forward();
  const Vector3 side = Normalise(Vector3{f.z, 0.0f, -f.x});
  const Vector3 up = Cross(f, side);
  target_ = target_ - side * (static_cast<float>(dx) * pixel) + up * (static_cast<float>(dy) * pixel);
}

void OrbitCamera::wheel(int clicks) { place(yaw_, pitch_, distance_ * std::pow(kZoomPerClick, static_cast<float>(clicks))); }

Vector3 OrbitCamera::forward() const {
  const float yaw = yaw_ * kRadiansPerDegree;
  const float pitch = pitch_ * kRadiansPerDegree;
  return {std::cos(pitch) * std::sin(yaw), -std::sin(pitch), std::cos(pitch) * std::cos(yaw)};
}

Vector3 OrbitCamera::eye() const { return target_ - forward() * distance_; }

Camera OrbitCamera::camera(float aspect) const {
  const Vector3 from = eye();
  const float toCentre = Length(centre_ - from);
  const float nearDistance = std::max(toCentre - radius_, radius_ * 0.01f) * 0.9f;
  const float farDistance = (toCentre + radius_) * 1.1f;
  const float halfHeight = nearDistance * halfViewSlope();
  return Camera(from, target_, {0.0f, 1.0f, 0.0f}, nearDistance, farDistance, halfHeight * aspect, halfHeight);
}

}  // namespace kstview
