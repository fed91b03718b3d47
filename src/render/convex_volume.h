#pragma once
// Intersection of up to 32 half-spaces (planes whose inside is n·p + d >= 0),
// used to cull scene nodes against a camera's view frustum.
#include <array>
#include <cstdint>
#include <span>

#include "render/oriented_box.h"
#include "render/plane3d.h"

class ConvexVolume {
 public:
  // Thrown when a plane is added to a full volume.
  enum { kTooManyPlanes = 0 };
  static constexpr std::uint32_t kMaxPlanes = 32;
  // Sets of planes as bit masks, bit i for plane(i).
  static constexpr std::uint32_t kAllPlanes = 0xFFFFFFFFu;

  virtual ~ConvexVolume() = default;

  // Normalises the plane and appends it; returns the new plane count.
  virtual std::uint32_t AddPlane(Plane3d plane);
  virtual void Clear() { count_ = 0; }
  virtual bool Contains(Vector3 p) const;
  // True when one plane has every corner of the box on or behind it (the
  // corner test of ArePointsOutside, without making the corners).
  virtual bool IsOrientedBoxOutside(const OrientedBox& box) const;
  // Box as min x, min y, min z, max x, max y, max z.
  virtual bool IsBoxOutside(const float box[6]) const;

  // The tests above against the planes of `planes` alone. A box inside a
  // plane has every box within it inside that plane too, so the tests of
  // boxes nested in one another may leave out the planes an outer box was
  // found inside of: `crossed` gets the planes of `planes` the box is not
  // inside of with room to spare for rounding (unset when it is outside).
  bool IsBoxOutside(const float box[6], std::uint32_t planes, std::uint32_t& crossed) const;
  bool IsOrientedBoxOutside(const OrientedBox& box, std::uint32_t planes) const;
  // True when one plane has every point on or behind it.
  virtual bool ArePointsOutside(std::span<const Vector3> points) const;
  virtual bool IsPointOutside(Vector3 p) const { return !Contains(p); }
  // Smallest t >= 0 at which origin + t·direction crosses one of the planes
  // whose bit is set in the mask; negative when the ray crosses none.
  virtual float FirstHit(Vector3 origin, Vector3 direction, std::uint32_t planeMask) const;

  std::uint32_t count() const { return count_; }
  const Plane3d& plane(std::uint32_t i) const { return planes_[i]; }

 private:
  std::array<Plane3d, kMaxPlanes> planes_{};
  std::uint32_t count_ = 0;
};

// The volume a camera builds: its six frustum planes.
class ClipVolume : public ConvexVolume {};
