#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "geometry/tri_strip.h"

namespace {

using Indices = std::vector<std::uint16_t>;
using Triangle = std::array<std::uint16_t, 3>;

// Restores the default settings around every test: they are module state.
class TriStripTest : public ::testing::Test {
 protected:
  void SetUp() override { Defaults(); }
  void TearDown() override { Defaults(); }
  static void Defaults() {
    tristrip::SetCacheEntries(16);
    tristrip::SetShortestStrip(0);
    tristrip::SetListOutput(false);
  }

  static Indices ListOf(const Indices& input) {
    tristrip::SetListOutput(true);
    std::vector<tristrip::PrimitiveGroup> groups = tristrip::Generate(input);
    EXPECT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].type, tristrip::PrimitiveType::kList);
    return groups[0].indices;
  }

  static std::vector<tristrip::PrimitiveGroup> StripsOf(const Indices& input) {
    tristrip::SetListOutput(false);
    return tristrip::Generate(input);
  }
};

std::vector<Triangle> Triangles(const Indices& indices) {
  std::vector<Triangle> triangles;
  for (std::size_t i = 0; i + 2 < indices.size(); i += 3)
    triangles.push_back({indices[i], indices[i + 1], indices[i + 2]});
  std::sort(triangles.begin(), triangles.end());
  return triangles;
}

// A grid of columns x rows quads, two consistently wound triangles each.
Indices Grid(int columns, int rows) {
  Indices indices;
  auto at = [columns](int x, int y) { return static_cast<std::uint16_t>(y * (columns + 1) + x); };
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x)
      indices.insert(indices.end(), {at(x, y), at(x, y + 1), at(x + 1, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)});
  return indices;
}

// The triangles a strip group draws, in the winding GL gives them.
std::vector<Triangle> StripTriangles(const Indices& strip) {
  std::vector<Triangle> triangles;
  for (std::size_t i = 0; i + 2 < strip.size(); ++i)
    triangles.push_back(i % 2 == 0 ? Triangle{strip[i], strip[i + 1], strip[i + 2]}
                                   : Triangle{strip[i + 1], strip[i], strip[i + 2]});
  return triangles;
}

Triangle Canonical(Triangle t) {
  while (t[0] != *std::min_element(t.begin(), t.end())) std::rotate(t.begin(), t.begin() + 1, t.end());
  return t;
}

std::string CaptureOutputOf(const std::function<void()>& run) {
  testing::internal::CaptureStdout();
  run();
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(TriStripTest, SingleTriangleKeepsItsIndices) {
  EXPECT_EQ(ListOf({4, 7, 2}), (Indices{4, 7, 2}));
}

TEST_F(TriStripTest, TwoTrianglesOnOneEdgeFormOneStrip) {
  const Indices input{0, 1, 2, 2, 1, 3};
  EXPECT_EQ(Triangles(ListOf(input)), Triangles(input));

  const std::vector<tristrip::PrimitiveGroup> groups = StripsOf(input);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].type, tristrip::PrimitiveType::kStrip);
  ASSERT_EQ(groups[0].indexCount(), 4u);
  std::vector<Triangle> drawn;
  for (Triangle t : StripTriangles(groups[0].indices)) drawn.push_back(Canonical(t));
  std::sort(drawn.begin(), drawn.end());
  EXPECT_EQ(drawn, (std::vector<Triangle>{{0, 1, 2}, {1, 3, 2}}));
}

TEST_F(TriStripTest, PiecesStartAtTheLeastConnectedStrip) {
  // A lone triangle has no neighbours; the quad's faces have one each, so
  // the lone triangle is drawn first although it comes last.
  const Indices input{0, 1, 2, 2, 1, 3, 4, 5, 6};
  EXPECT_EQ(ListOf(input), (Indices{4, 5, 6, 0, 1, 2, 2, 1, 3}));
}

TEST_F(TriStripTest, DefaultStripsFitTenTrianglesAndEveryIndexIsKept) {
  const Indices grid = Grid(4, 6);  // 48 triangles
  const Indices list = ListOf(grid);
  EXPECT_EQ(list.size(), 144u);
  EXPECT_EQ(Triangles(list), Triangles(grid));

  std::size_t faces = 0;
  for (const tristrip::PrimitiveGroup& group : StripsOf(Grid(20, 20))) {
    if (group.type == tristrip::PrimitiveType::kStrip) {
      EXPECT_LE(group.indexCount(), 12u);  // at most 10 triangles
      faces += group.indexCount() - 2;
    } else {
      faces += group.indexCount() / 3;
    }
  }
  EXPECT_EQ(faces, 800u);
}

TEST_F(TriStripTest, SmallCachesCutStripsToSingleTriangles) {
  tristrip::SetCacheEntries(5);  // effective size 1
  for (const tristrip::PrimitiveGroup& group : StripsOf(Grid(6, 6)))
    EXPECT_EQ(group.type, tristrip::PrimitiveType::kList);
  tristrip::SetCacheEntries(8);  // effective size 2
  bool sawStrip = false;
  for (const tristrip::PrimitiveGroup& group : StripsOf(Grid(6, 6))) {
    if (group.type != tristrip::PrimitiveType::kStrip) continue;
    sawStrip = true;
    EXPECT_EQ(group.indexCount(), 4u);
  }
  EXPECT_TRUE(sawStrip);
}

TEST_F(TriStripTest, ShortStripsBecomeLooseTrianglesAndAllAreKept) {
  tristrip::SetShortestStrip(4);
  const Indices grid = Grid(5, 3);
  EXPECT_EQ(Triangles(ListOf(grid)), Triangles(grid));
}

TEST_F(TriStripTest, ThirdTriangleOnAnEdgeIsReportedOnceAndKept) {
  const Indices input{0, 1, 2, 1, 0, 3, 0, 1, 4};
  Indices list;
  const std::string output = CaptureOutputOf([&] { list = ListOf(input); });
  EXPECT_EQ(Occurrences(output, "BuildStripifyInfo: > 2 triangles on an edge... uncertain consequences\n"), 1u);
  EXPECT_EQ(Triangles(list), Triangles(input));
}

TEST_F(TriStripTest, DuplicateTrianglesAreReportedAndKept) {
  const Indices input{0, 1, 2, 0, 1, 2, 5, 5, 6};
  Indices list;
  CaptureOutputOf([&] { list = ListOf(input); });
  EXPECT_EQ(Triangles(list), Triangles(input));
}

TEST_F(TriStripTest, SparseVertexIndicesAreCovered) {
  const Indices input{60000, 60001, 65535, 65535, 60001, 9};
  EXPECT_EQ(Triangles(ListOf(input)), Triangles(input));
  EXPECT_TRUE(ListOf({}).empty());
}

// Random meshes: pieces of grids with holes, stray triangles and repeats.
Indices RandomMesh(unsigned seed) {
  std::mt19937 random(seed);
  Indices grid = Grid(3 + random() % 20, 3 + random() % 20);
  Indices mesh;
  for (std::size_t i = 0; i < grid.size(); i += 3)
    if (random() % 8 != 0) mesh.insert(mesh.end(), grid.begin() + i, grid.begin() + i + 3);
  for (int extra = random() % 10; extra > 0; --extra)
    for (int corner = 0; corner < 3; ++corner) mesh.push_back(static_cast<std::uint16_t>(random() % 500));
  if (mesh.size() >= 6) mesh.insert(mesh.end(), mesh.begin(), mesh.begin() + 3);
  return mesh;
}

TEST_F(TriStripTest, ListOutputIsAPermutationOfTheInputOnRandomMeshes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const Indices mesh = RandomMesh(seed);
    Indices first, second;
    CaptureOutputOf([&] {
      first = ListOf(mesh);
      second = ListOf(mesh);
    });
    EXPECT_EQ(Triangles(first), Triangles(mesh)) << "seed " << seed;
    EXPECT_EQ(first, second) << "seed " << seed;  // the same input gives the same list
  }
}

TEST_F(TriStripTest, StripGroupsKeepTheWindingOfAGrid) {
  const Indices grid = Grid(8, 8);
  std::vector<Triangle> expected;
  for (Triangle t : Triangles(grid)) expected.push_back(Canonical(t));
  std::vector<Triangle> drawn;
  for (const tristrip::PrimitiveGroup& group : StripsOf(grid)) {
    if (group.type == tristrip::PrimitiveType::kStrip) {
      for (Triangle t : StripTriangles(group.indices)) drawn.push_back(Canonical(t));
    } else {
      for (Triangle t : Triangles(group.indices)) drawn.push_back(Canonical(t));
    }
  }
  std::sort(expected.begin(), expected.end());
  std::sort(drawn.begin(), drawn.end());
  EXPECT_EQ(drawn, expected);
}

}  // namespace
