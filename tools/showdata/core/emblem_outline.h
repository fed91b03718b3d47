#pragma once
// The show's emblem, shared by the 3D object and the final logo so that both
// show the same sign: a bird rising with its wings raised, inside a ring.
// Unit coordinates with y up, the ring centred on the origin.
#include <vector>

#include "core/shapes.h"

namespace showdata {

struct EmblemShape {
  std::vector<Point> bird;  // closed outline, counter-clockwise (y up), no repeated point
  Point ringCentre;
  float ringRadius;         // to the middle of the ring's band
  float ringHalfWidth;
};

// `smoothness`: segments of each rounded corner of the outline.
EmblemShape emblemShape(int smoothness);

}  // namespace showdata
