#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "render/robust_mesh.h"

namespace {

using kst::EdgeTable;
using kst::FaceRef;
using kst::RobustMesh;

std::size_t FindEdge(const EdgeTable& table, std::uint32_t a, std::uint32_t b) {
  for (std::size_t e = 0; e < table.edgeCount(); ++e)
    if (table.Vertices(e) == std::array<std::uint32_t, 2>{std::min(a, b), std::max(a, b)}) return e;
  ADD_FAILURE() << "no edge " << a << "-" << b;
  return 0;
}

TEST(EdgeTableTest, TwoTrianglesSharingASide) {
  const std::vector<std::uint32_t> triangles{0, 1, 2, 2, 1, 3};
  const EdgeTable table = EdgeTable::FromTriangles(triangles);
  ASSERT_EQ(table.edgeCount(), 5u);
  const std::vector<std::uint32_t> shared = table.FaceRefs(FindEdge(table, 1, 2));
  ASSERT_EQ(shared.size(), 2u);
  EXPECT_NE(FaceRef::Forward(shared[0]), FaceRef::Forward(shared[1]));
  // (0, 1, 2) runs 1 → 2 on its side 1; (2, 1, 3) runs 2 → 1 on its side 0.
  EXPECT_EQ(shared[0], 0u + 0xA0000000u);
  EXPECT_EQ(shared[1], 1u);
  for (auto [a, b] : {std::pair{0u, 1u}, {2u, 0u}, {1u, 3u}, {3u, 2u}})
    EXPECT_EQ(table.FaceRefs(FindEdge(table, a, b)).size(), 1u);
  // Every edge's ring starts in its own slot.
  for (std::size_t e = 0; e < table.edgeCount(); ++e) EXPECT_EQ(table.FaceRefs(e).front(), table.slots()[e].faceRef);
}

TEST(EdgeTableTest, ReferencesEncodeSideAndDirection) {
  std::vector<std::uint32_t> triangles;
  for (std::uint32_t t = 0; t < 7; ++t) triangles.insert(triangles.end(), {10 + 3 * t, 11 + 3 * t, 12 + 3 * t});
  triangles.insert(triangles.end(), {4, 9, 2});  // triangle 7
  const EdgeTable table = EdgeTable::FromTriangles(triangles);
  EXPECT_EQ(table.FaceRefs(FindEdge(table, 2, 4)), (std::vector<std::uint32_t>{7u + 0xC0000000u}));
  EXPECT_EQ(table.FaceRefs(FindEdge(table, 4, 9)), (std::vector<std::uint32_t>{7u + 0x80000000u}));
  EXPECT_EQ(table.FaceRefs(FindEdge(table, 2, 9)), (std::vector<std::uint32_t>{7u + 0x20000000u}));
  EXPECT_EQ(FaceRef::Triangle(7u + 0xC0000000u), 7u);
  EXPECT_EQ(FaceRef::Side(7u + 0xC0000000u), 2);
  EXPECT_EQ(FaceRef::Make(5, 1, false), 5u + 0x20000000u);
}

// A unit cube from 12 consistently wound triangles.
std::unique_ptr<RobustMesh> Cube() {
  std::vector<Vector3> corners;
  for (int i = 0; i < 8; ++i) corners.push_back({float(i & 1), float((i >> 1) & 1), float((i >> 2) & 1)});
  const std::uint32_t quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  std::vector<std::uint32_t> triangles;
  for (const auto& q : quads) triangles.insert(triangles.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
  auto mesh = std::make_unique<RobustMesh>();
  mesh->SetVertices(corners);
  mesh->SetTriangles(triangles, {}, 1);
  mesh->Build(RobustMesh::kBuildTopology | RobustMesh::kBuildNormals | RobustMesh::kKeepFaceNormals);
  return mesh;
}

TEST(EdgeTableTest, CubeHasEighteenEdgesSixOfThemBetweenCoplanarFaces) {
  std::unique_ptr<RobustMesh> owned = Cube();
  RobustMesh& cube = *owned;
  const EdgeTable& table = cube.Topology();
  ASSERT_EQ(table.edgeCount(), 18u);
  const std::vector<Vector3>& normals = cube.FaceNormals();
  int coplanar = 0;
  for (std::size_t e = 0; e < table.edgeCount(); ++e) {
    const std::vector<std::uint32_t> refs = table.FaceRefs(e);
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_NE(FaceRef::Forward(refs[0]), FaceRef::Forward(refs[1]));  // a closed, consistent surface
    coplanar += Dot(normals[FaceRef::Triangle(refs[0])], normals[FaceRef::Triangle(refs[1])]) == 1.0f;
  }
  EXPECT_EQ(coplanar, 6);
  // Every cube corner normal is outward: at vertex 0 each points away from the centre.
  for (std::uint32_t corner = 0; corner < 36; ++corner) {
    const Vector3 p = cube.positions().values[cube.triangles()[corner]];
    const Vector3 n = cube.normals().values[cube.normals().corners[corner]];
    EXPECT_GT(Dot(n, p - Vector3{0.5f, 0.5f, 0.5f}), 0.0f);
  }
}

TEST(FaceRingsTest, EveryVertexKnowsItsTriangles) {
  std::unique_ptr<RobustMesh> owned = Cube();
  RobustMesh& cube = *owned;
  const kst::FaceRings& rings = cube.VertexFaceRings();
  for (std::uint32_t v = 0; v < 8; ++v) {
    const auto ring = rings.Of(v);
    EXPECT_TRUE(ring.size() == 4 || ring.size() == 5 || ring.size() == 6) << v;
    for (std::uint32_t t : ring) {
      const auto tri = cube.triangles().subspan(3 * t, 3);
      EXPECT_NE(std::find(tri.begin(), tri.end(), v), tri.end());
    }
  }
}

}  // namespace
