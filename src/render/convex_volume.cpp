#include "render/convex_volume.h"

#include <algorithm>
#include <cmath>

#include "scene/mesh/primitive.h"

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

bool ConvexVolume::IsObjectOutside(const Primitive& primitive) const {
  return ArePointsOutside(primitive.boundingPoints());
}

bool ConvexVolume::IsBoxOutside(const float box[6]) const {
  const Vector3 centre{(box[0] + box[3]) * 0.5f, (box[1] + box[4]) * 0.5f, (box[2] + box[5]) * 0.5f};
  const Vector3 half{(box[3] - box[0]) * 0.5f, (box[4] - box[1]) * 0.5f, (box[5] - box[2]) * 0.5f};
  return std::any_of(planes_.begin(), planes_.begin() + count_, [&](const Plane3d& plane) {
    const Vector3 n = plane.normal();
    const float reach = std::fabs(n.x) * half.x + std::fabs(n.y) * half.y + std::fabs(n.z) * half.z;
    return plane.Distance(centre) < -reach;
  });
}

bool ConvexVolume::IsOrientedBoxOutside(const OrientedBox& box) const {
  return std::any_of(planes_.begin(), planes_.begin() + count_, [&box](const Plane3d& plane) {
    return plane.Distance(box.centre) + box.Reach(plane.normal()) <= 0.0f;
  });
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
