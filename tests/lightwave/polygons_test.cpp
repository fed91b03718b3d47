// POLS: triangles, lines, degenerate triangles, contours and the
// tessellator's refusals, with the counts the warnings report.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "lwo_samples.h"
#include "support/log_capture.h"

namespace {

using lwtest::pointsAndPolygons;
using lwtest::read;
using lwtest::writePolygons;
using Polygons = std::vector<std::vector<std::uint32_t>>;

// Corners of every triangle, as sorted triples, for order-free comparison.
std::multiset<std::set<int>> cornerSets(const LW::Object& object) {
  std::multiset<std::set<int>> sets;
  for (const auto& t : object.triangles) sets.insert({t.a, t.b, t.c});
  return sets;
}

std::vector<int> trianglesOf(const LW::Object& object, int polygon) {
  std::vector<int> triangles;
  for (const auto& entry : object.polygonTriangles.of(polygon)) triangles.push_back(entry.second);
  return triangles;
}

const std::vector<Vector3> kSquare = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

TEST(PolygonsTest, TrianglesKeepFileOrderAndQuadsSplitInTwo) {
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) { writePolygons(out, {{0, 1, 2}, {0, 1, 2, 3}}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::Object& object = *loaded.object;
  ASSERT_EQ(object.triangles.size(), 3u);
  EXPECT_EQ(object.triangles[0].a, 0);
  EXPECT_EQ(object.triangles[0].b, 1);
  EXPECT_EQ(object.triangles[0].c, 2);
  EXPECT_EQ(object.triangleSource, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(trianglesOf(object, 1), (std::vector<int>{1, 2}));
  // The quad's two triangles use its four points, the diagonal twice.
  std::multiset<int> used;
  for (int t = 1; t < 3; ++t) used.insert({object.triangles[t].a, object.triangles[t].b, object.triangles[t].c});
  EXPECT_EQ(used.size(), 6u);
  for (int p = 0; p < 4; ++p) EXPECT_GE(used.count(p), 1u);
}

TEST(PolygonsTest, FlagBitsAboveTheCountAreDropped) {
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) {
    out.U2(0xFC00 | 4);
    for (std::uint32_t i : {0u, 1u, 2u, 3u}) out.VX(i);
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(loaded.object->triangles.size(), 2u);
}

TEST(PolygonsTest, LinesAndDegenerateTrianglesAreDroppedAndCounted) {
  std::vector<Vector3> points(6, Vector3{});
  for (int i = 0; i < 6; ++i) points[i] = {static_cast<float>(i), static_cast<float>(i * i), 0};
  fake::LogCapture log;
  auto loaded = read(pointsAndPolygons(points, [](auto& out) { writePolygons(out, {{2, 5, 2}, {1, 3}, {0, 1, 4}}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  const LW::Object& object = *loaded.object;
  ASSERT_EQ(object.triangles.size(), 1u);
  EXPECT_EQ(object.triangleSource[0], 2);
  // Both dropped polygons map to -1.
  EXPECT_EQ(trianglesOf(object, 0), (std::vector<int>{-1}));
  EXPECT_EQ(trianglesOf(object, 1), (std::vector<int>{-1}));
  EXPECT_NE(log.text().find("** Warning: 1 polygons were skipped because they couldn't be properly triangulated."),
            std::string::npos);
  EXPECT_NE(log.text().find("** Warning: Lines are not supported (1 lines were skipped)."), std::string::npos);
}

TEST(PolygonsTest, AQuadWithARepeatedIndexGoesToTheTessellator) {
  // (0, 1, 2, 2): the tessellator merges the doubled point, which would
  // need a combined vertex; the program refuses it, so the quad is skipped.
  fake::LogCapture log;
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) { writePolygons(out, {{0, 1, 2, 2}}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_TRUE(loaded.object->triangles.empty());
  EXPECT_NE(log.text().find("1 polygons were skipped"), std::string::npos);
}

TEST(PolygonsTest, ARepeatedFirstIndexStartsASecondContour) {
  // p0 p1 p2 p0 p3 p4 p5: two separate triangles, not one six-point outline.
  const std::vector<Vector3> points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 0, 0}, {6, 0, 0}, {5, 1, 0}};
  auto loaded = read(pointsAndPolygons(points, [](auto& out) { writePolygons(out, {{0, 1, 2, 0, 3, 4, 5}}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  EXPECT_EQ(cornerSets(*loaded.object), (std::multiset<std::set<int>>{{0, 1, 2}, {3, 4, 5}}));
  EXPECT_EQ(loaded.object->triangleSource, (std::vector<int>{0, 0}));
}

TEST(PolygonsTest, ASelfIntersectingPolygonIsSkippedNotGivenNewPoints) {
  // A bow tie: its edges cross at (0.5, 0.5), a point the object lacks.
  fake::LogCapture log;
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) { writePolygons(out, {{0, 2, 1, 3}, {0, 1, 2}}); }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  ASSERT_EQ(loaded.object->triangles.size(), 1u);
  EXPECT_EQ(loaded.object->triangleSource[0], 1);
  EXPECT_EQ(trianglesOf(*loaded.object, 0), (std::vector<int>{-1}));
  EXPECT_NE(log.text().find("** Warning: 1 polygons were skipped"), std::string::npos);
}

TEST(PolygonsTest, PointIndicesBeyondThePointsAreNeverUsed) {
  fake::LogCapture log;
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) {
    writePolygons(out, {{0, 1, 4}, {0, 1, 2, 0x00FFFFFF}, {1, 2, 3}});
  }));
  ASSERT_TRUE(loaded.object) << loaded.error;
  ASSERT_EQ(loaded.object->triangles.size(), 1u);
  EXPECT_EQ(loaded.object->triangleSource[0], 2);
  EXPECT_NE(log.text().find("** Warning: 2 polygons were skipped"), std::string::npos);
}

TEST(PolygonsTest, APolygonRunningPastItsChunkFailsTheLoad) {
  auto loaded = read(pointsAndPolygons(kSquare, [](auto& out) {
    out.U2(4);
    for (std::uint32_t i : {0u, 1u, 2u}) out.VX(i);  // the fourth index is missing
  }));
  EXPECT_EQ(loaded.error, "Corrupted IFF length.");
}

}  // namespace
