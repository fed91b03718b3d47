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

// Triangles as their smallest corner rotation, sorted: equal lists draw the
// same triangles with the same windings.
std::vector<Triangle> Windings(std::vector<Triangle> triangles) {
  for (Triangle& t : triangles) {
    const Triangle once{t[1], t[2], t[0]}, twice{t[2], t[0], t[1]};
    t = std::min({t, once, twice});
  }
  std::sort(triangles.begin(), triangles.end());
  return triangles;
}

// What strip output draws: strip groups as GL walks them, then the list.
std::vector<Triangle> Drawn(const std::vector<tristrip::PrimitiveGroup>& groups) {
  std::vector<Triangle> drawn;
  for (const tristrip::PrimitiveGroup& group : groups) {
    const bool strip = group.type == tristrip::PrimitiveType::kStrip;
    for (Triangle t : strip ? StripTriangles(group.indices) : Triangles(group.indices)) drawn.push_back(t);
  }
  return Windings(drawn);
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
  EXPECT_EQ(Drawn(groups), Windings(Triangles(input)));
}

TEST_F(TriStripTest, PiecesStartAtTheLeastConnectedStrip) {
  // A lone triangle has no neighbours; the quad's faces have one each, so
  // the lone triangle is drawn first although it comes last.
  const Indices input{0, 1, 2, 2, 1, 3, 4, 5, 6};
  EXPECT_EQ(ListOf(input), (Indices{4, 5, 6, 0, 1, 2, 2, 1, 3}));
}

// A ribbon of n triangles whose strip runs over the vertices 0, 1, ..., n + 1:
// face 0 is (2, 1, 0), odd faces k are (k, k + 1, k + 2), even ones
// (k + 1, k, k + 2), all wound alike.
Indices Ribbon(int n) {
  Indices indices{2, 1, 0};
  for (int k = 1; k < n; ++k) {
    const auto a = static_cast<std::uint16_t>(k), b = static_cast<std::uint16_t>(k + 1);
    indices.insert(indices.end(), {k % 2 ? a : b, k % 2 ? b : a, static_cast<std::uint16_t>(k + 2)});
  }
  return indices;
}

Indices FacesInOrder(const Indices& mesh, const std::vector<int>& faces) {
  Indices list;
  for (int f : faces) list.insert(list.end(), mesh.begin() + 3 * f, mesh.begin() + 3 * f + 3);
  return list;
}

// Face 0 is the first face with two border edges, so it seeds the first
// trial, whose edge (v0, v1) = (2, 1) leads to no face forwards (across
// (1, 0)); the whole ribbon is found backwards, across (1, 2), then (2, 3),
// ..., and the strip is the backward faces reversed: n - 1 down to 0. No
// later trial scores more than one strip of every face.
TEST_F(TriStripTest, StripsGrowBackwardsFromTheirSeed) {
  const Indices three = Ribbon(3);
  EXPECT_EQ(ListOf(three), FacesInOrder(three, {2, 1, 0}));

  // 23 faces: pieces 22..13, 12..3 and 2..0. The last has the fewest
  // neighbours per face (5/3 against 19/10 and 2) and goes first; it leaves
  // vertices 0 to 4 cached, which faces 3 and 4 reuse, so 12..3 follows.
  const Indices ribbon = Ribbon(23);
  std::vector<int> order{2, 1, 0};
  for (int f = 12; f >= 3; --f) order.push_back(f);
  for (int f = 22; f >= 13; --f) order.push_back(f);
  EXPECT_EQ(ListOf(ribbon), FacesInOrder(ribbon, order));
}

// Transformed vertices per triangle through a FIFO cache of `entries`.
double MissesPerTriangle(const Indices& indices, std::size_t entries) {
  std::vector<std::uint16_t> fifo;
  std::size_t misses = 0;
  for (std::uint16_t v : indices) {
    if (std::find(fifo.begin(), fifo.end(), v) != fifo.end()) continue;
    ++misses;
    fifo.insert(fifo.begin(), v);
    if (fifo.size() > entries) fifo.pop_back();
  }
  return static_cast<double>(misses) / static_cast<double>(indices.size() / 3);
}

TEST_F(TriStripTest, ReorderedGridsMissTheCacheLessThanRowOrder) {
  // Row by row, a 16-entry cache cannot keep a 31-vertex row for the next:
  // about one miss per triangle. A cut strip of 10 faces has 12 vertices;
  // laid beside the piece before it, it finds 6 of them cached: 0.6 misses
  // per triangle when every piece does, (12 + 6) / 20 = 0.9 when only every
  // other one does. The reordered list must beat that from a shuffled input.
  const Indices rows = Grid(30, 30);
  EXPECT_GT(MissesPerTriangle(rows, 16), 1.0);
  std::vector<Triangle> shuffled;
  for (std::size_t i = 0; i < rows.size(); i += 3) shuffled.push_back({rows[i], rows[i + 1], rows[i + 2]});
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  Indices input;
  for (const Triangle& t : shuffled) input.insert(input.end(), t.begin(), t.end());
  EXPECT_GT(MissesPerTriangle(input, 16), 2.5);
  EXPECT_LT(MissesPerTriangle(ListOf(input), 16), 0.9);
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

TEST_F(TriStripTest, EveryTriangleComesOutOnceOnRandomMeshes) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const Indices mesh = RandomMesh(seed);
    Indices first, second;
    std::vector<tristrip::PrimitiveGroup> strips;
    CaptureOutputOf([&] {
      first = ListOf(mesh);
      second = ListOf(mesh);
      strips = StripsOf(mesh);
    });
    EXPECT_EQ(Triangles(first), Triangles(mesh)) << "seed " << seed;
    EXPECT_EQ(first, second) << "seed " << seed;  // the same input gives the same list
    EXPECT_EQ(Drawn(strips), Windings(Triangles(mesh))) << "seed " << seed;
  }
}

TEST_F(TriStripTest, StripGroupsDrawEveryTriangleInItsOwnWinding) {
  // A grid with every third triangle turned over: the strips cross faces of
  // both windings.
  Indices mesh = Grid(8, 8);
  for (std::size_t i = 0; i < mesh.size(); i += 9) std::swap(mesh[i + 1], mesh[i + 2]);
  const std::vector<tristrip::PrimitiveGroup> groups = StripsOf(mesh);
  EXPECT_EQ(Drawn(groups), Windings(Triangles(mesh)));
  std::size_t stripFaces = 0;
  for (const tristrip::PrimitiveGroup& group : groups)
    if (group.type == tristrip::PrimitiveType::kStrip) stripFaces += group.indexCount() - 2;
  EXPECT_GT(stripFaces, 64u);  // most triangles still go in strips
}

}  // namespace
