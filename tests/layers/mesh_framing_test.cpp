// The size a mesh layer frames: the absolute corners compared x first, then
// y, then z, and the larger one's largest coordinate.
#include <gtest/gtest.h>

#include "layers/mesh_framing.h"
#include "persist/stored_values.h"

namespace {

persist::BoundingBox boxOf(persist::Vec3 low, persist::Vec3 high) {
  persist::BoundingBox box;
  box.grow(low);
  box.grow(high);
  return box;
}

TEST(MeshFraming, RadiusComesFromTheCornerThatWinsOnItsFirstDifferingCoordinate) {
  // |min| = (1, 2, 3) beats |max| = (0.5, 4, 1) on x, so y's 4 is not seen.
  EXPECT_FLOAT_EQ(kst::FramingRadius(boxOf({-1, -2, -3}, {0.5f, 4, 1})), 3.0f);
  // Tie on x: y decides for the maximum corner.
  EXPECT_FLOAT_EQ(kst::FramingRadius(boxOf({-1, 0, -7}, {1, 5, 0})), 5.0f);
  // Equal corners: the maximum one, whose largest coordinate is z.
  EXPECT_FLOAT_EQ(kst::FramingRadius(boxOf({-2, -2, -6}, {2, 2, 6})), 6.0f);
  EXPECT_FLOAT_EQ(kst::FramingRadius(persist::BoundingBox{}), 0.0f);
}

}  // namespace
