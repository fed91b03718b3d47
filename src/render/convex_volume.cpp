#include "render/convex_volume.h"

#include <algorithm>
#include <cmath>

std::uint32_t ConvexVolume::AddPlane(Plane3d plane) {
  if (count_ >= kMaxPlanes) throw kTooManyPlanes;
  plane.Normalise();
  planes_[count_] = plane;
  return ++count_;
}

bool ConvexVolume::Contains(Vector3 p) const {
  return std::all_of(planes_.begin(), planes_.begin() + count_,
                     [p](const Plane3d& plane) { return plane.Distance(p) >= 0.0f; });
}

bool ConvexVolume::IsBoxOutside(const float box[6]) const {
  std::uint32_t crossed;
  return IsBoxOutside(box, kAllPlanes, crossed);
}

bool ConvexVolume::IsOrientedBoxOutside(const OrientedBox& box) const {
  return IsOrientedBoxOutside(box, kAllPlanes);
}

// Rounding in the tests of a nested box stays far below this share of the
// magnitudes involved (a few units in the last place of a float).
constexpr float kRoomForRounding = 1e-4f;

bool ConvexVolume::IsBoxOutside(const float box[6], std::uint32_t planes, std::uint32_t& crossed) const {
  crossed = 0;
  if (planes == 0) return false;
  const Vector3 centre{(box[0] + box[3]) * 0.5f, (box[1] + box[4]) * 0.5f, (box[2] + box[5]) * 0.5f};
  const Vector3 half{(box[3] - box[0]) * 0.5f, (box[4] - box[1]) * 0.5f, (box[5] - box[2]) * 0.5f};
  for (std::uint32_t i = 0; i < count_; ++i) {
    if ((planes & (1u << i)) == 0) continue;
    const Plane3d& plane = planes_[i];
    const Vector3 n = plane.normal();
    const float reach = std::fabs(n.x) * half.x + std::fabs(n.y) * half.y + std::fabs(n.z) * half.z;
    const float distance = plane.Distance(centre);
    if (distance < -reach) return true;
    const float size = std::fabs(plane.d()) + std::fabs(n.x * centre.x) + std::fabs(n.y * centre.y) +
                       std::fabs(n.z * centre.z) + reach;
    // Not "<=": a NaN anywhere leaves the plane crossed.
    if (!(distance - reach > kRoomForRounding * size)) crossed |= 1u << i;
  }
  return false;
}

bool ConvexVolume::IsOrientedBoxOutside(const OrientedBox& box, std::uint32_t planes) const {
  for (std::uint32_t i = 0; i < count_; ++i) {
    if ((planes & (1u << i)) == 0) continue;
    if (planes_[i].Distance(box.centre) + box.Reach(planes_[i].normal()) <= 0.0f) return true;
  }
  return false;
}

bool ConvexVolume::ArePointsOutside(std::span<const Vector3> points) const {
  return std::any_of(planes_.begin(), planes_.begin() + count_, [points](const Plane3d& plane) {
    return std::all_of(points.begin(), points.end(), [&](Vector3 p) { return plane.Distance(p) <= 0.0f; });
  });
}

float ConvexVolume::FirstHit(Vector3 origin, Vector3 direction, std::uint32_t planeMask) const {
  float best = -1.0f;
  for (std::uint32_t i = 0; i < count_; ++i) {
    if ((planeMask & (1u << i)) == 0 || Dot(planes_[i].normal(), direction) == 0.0f) continue;
    const float t = planes_[i].IntersectLine(origin, direction);
    if (t >= 0.0f && (best < 0.0f || t < best)) best = t;
  }
  return best;
}
