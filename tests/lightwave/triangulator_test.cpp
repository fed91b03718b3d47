// Reusing the tessellator's split of one convex quad for the quads of its
// class must give exactly what the tessellator gives for each of them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lightwave/quad_class.h"
#include "lightwave/triangulator.h"
#include "lwo_samples.h"

namespace {

// Quads of many shapes: grid cells (corners sharing coordinates), wavy grid
// cells (slightly out of plane), random convex quads turned every which
// way, each with every starting corner and both windings.
std::vector<Vector3> quadPoints(std::mt19937& random) {
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  std::vector<Vector3> points;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      points.push_back({fx, fy, 0.0f});
      points.push_back({fx, fy, std::sin(0.7f * fx) * std::cos(0.5f * fy)});
      points.push_back({fx, 0.0f, fy});
      points.push_back({0.0f, fx, fy});
    }
  for (int i = 0; i < 4000; ++i) points.push_back({unit(random) * 5, unit(random) * 5, unit(random) * 5});
  return points;
}

std::vector<std::array<std::uint32_t, 4>> quads(std::mt19937& random, std::size_t pointCount) {
  std::vector<std::array<std::uint32_t, 4>> list;
  auto grid = [](int x, int y, int layer) { return static_cast<std::uint32_t>((y * 12 + x) * 4 + layer); };
  for (int layer = 0; layer < 4; ++layer)
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 11; ++x)
        list.push_back({grid(x, y, layer), grid(x + 1, y, layer), grid(x + 1, y + 1, layer), grid(x, y + 1, layer)});
  std::uniform_int_distribution<std::uint32_t> any(576, static_cast<std::uint32_t>(pointCount - 1));
  for (int i = 0; i < 3000; ++i) list.push_back({any(random), any(random), any(random), any(random)});
  std::vector<std::array<std::uint32_t, 4>> all;
  for (const auto& q : list)
    for (int start = 0; start < 4; ++start)
      for (int direction : {1, 3})
        all.push_back({q[start], q[(start + direction) % 4], q[(start + 2 * direction) % 4], q[(start + 3 * direction) % 4]});
  return all;
}

TEST(TriangulatorTest, ReusedQuadSplitsMatchTheTessellator) {
  lwtest::useRealGlu();
  std::mt19937 random(7);
  const std::vector<Vector3> points = quadPoints(random);
  LW::Triangulator reusing(true), plain(false);
  int classified = 0;
  for (const auto& quad : quads(random, points.size())) {
    std::vector<LW::IndexTriple> fast, reference;
    const bool fastOk = reusing.triangulate(quad, points, fast);
    ASSERT_EQ(fastOk, plain.triangulate(quad, points, reference));
    ASSERT_EQ(fast, reference) << quad[0] << ' ' << quad[1] << ' ' << quad[2] << ' ' << quad[3];
    classified += LW::QuadClass(quad, points) >= 0;
  }
  // The grid cells and the random quads that happen to be convex (over 4000
  // of the 27872 orderings) took the reused path.
  EXPECT_GT(classified, 4000);
}

TEST(TriangulatorTest, QuadsThatNeedTheTessellatorHaveNoClass) {
  const std::vector<Vector3> points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5f, 0.5f, 0}, {2, 2, 2}};
  using Quad = std::array<std::uint32_t, 4>;
  EXPECT_GE(LW::QuadClass(Quad{0, 1, 2, 3}, points), 0);
  EXPECT_LT(LW::QuadClass(Quad{0, 2, 1, 3}, points), 0);  // crossing edges
  EXPECT_LT(LW::QuadClass(Quad{0, 1, 4, 3}, points), 0);  // concave: (0.5, 0.5) dents it
  EXPECT_LT(LW::QuadClass(Quad{0, 1, 2, 2}, points), 0);  // repeated corner
  EXPECT_LT(LW::QuadClass(Quad{0, 1, 2, 9}, points), 0);  // no such point
  // A plane at 45 degrees between two axes: the axis choice is a coin toss.
  const std::vector<Vector3> tilted = {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}};
  EXPECT_LT(LW::QuadClass(Quad{0, 1, 2, 3}, tilted), 0);
}

}  // namespace
