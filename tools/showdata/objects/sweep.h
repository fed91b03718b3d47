#pragma once
// Sweeping a closed profile along a closed path: the tube of a knot, the
// band of a ring. The profile rides on rotation-minimising frames (parallel
// transport), with the twist left over after one lap spread evenly along
// the path, so the tube closes on itself without a seam.
#include <functional>
#include <vector>

#include "core/shapes.h"
#include "objects/mesh.h"

namespace showdata {

struct Frame {
  Vector3 origin;
  Vector3 normal;    // the profile's x axis
  Vector3 binormal;  // the profile's y axis
};

std::vector<Frame> loopFrames(const std::vector<Vector3>& path);

// One closed part: profile point j of frame i is joined to its neighbours
// in both directions; `surface(i, j)` tags the quad that starts there.
Mesh sweepLoop(const std::vector<Frame>& frames, const std::vector<Point>& profile,
               const std::function<std::uint16_t(int segment, int side)>& surface);

}  // namespace showdata
