#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "render/matrix44.h"
#include "render/robust_mesh.h"

namespace {

using kst::RobustMesh;
using kst::Rgba;
using kst::TexCoord;

std::vector<Vector3> Points(int count) {
  std::vector<Vector3> points;
  for (int i = 0; i < count; ++i) points.push_back({static_cast<float>(i), static_cast<float>(i * i % 7), 1.0f});
  return points;
}

Rgba Colour(int i) { return {static_cast<std::uint8_t>(i), 0, 0, 255}; }

void ExpectNear(Vector3 actual, Vector3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(RobustMeshBuildTest, UnusedVerticesAreDroppedUnlessAskedToKeep) {
  RobustMesh mesh;
  mesh.SetVertices(Points(10));
  mesh.SetTriangles({5, 6, 7}, {0}, 1);
  RobustMesh kept;
  kept.SetVertices(Points(10));
  kept.SetTriangles({5, 6, 7}, {0}, 1);

  mesh.Build(0);
  ASSERT_EQ(mesh.vertexCount(), 3u);
  EXPECT_EQ(std::vector<std::uint32_t>(mesh.triangles().begin(), mesh.triangles().end()),
            (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(mesh.positions().values[0], Points(10)[5]);
  EXPECT_EQ(mesh.positions().values[2], Points(10)[7]);
  EXPECT_EQ(mesh.boundingBox().min[0], 5.0f);  // the box covers the used vertices only

  kept.Build(RobustMesh::kKeepUnusedVertices);
  EXPECT_EQ(kept.vertexCount(), 10u);
  EXPECT_EQ(kept.triangles()[0], 5u);
}

TEST(RobustMeshBuildTest, DegenerateTriangleLeavesWithItsCornersAndTag) {
  RobustMesh mesh;
  mesh.SetVertices(Points(9));
  mesh.SetTriangles({0, 1, 2, 3, 3, 8, 4, 5, 6}, {0, 1, 2}, 3);
  std::vector<Rgba> colours;
  std::vector<TexCoord> uvs;
  for (int corner = 0; corner < 9; ++corner) {
    colours.push_back(Colour(corner));
    uvs.push_back({static_cast<float>(corner), 0.5f});
  }
  mesh.SetCornerColours(colours);
  mesh.AddCornerTexCoords(uvs);
  mesh.Build(RobustMesh::kKeepUnusedVertices);

  ASSERT_EQ(mesh.triangleCount(), 2u);
  EXPECT_EQ(mesh.surfaceTags(), (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(mesh.triangles()[3], 4u);
  ASSERT_EQ(mesh.colours().corners.size(), 6u);
  EXPECT_EQ(mesh.colours().values[mesh.colours().corners[3]], Colour(6));  // first corner of (4, 5, 6)
  ASSERT_EQ(mesh.texCoords(0).corners.size(), 6u);
  EXPECT_EQ(mesh.texCoords(0).values[mesh.texCoords(0).corners[5]].u, 8.0f);
}

TEST(RobustMeshBuildTest, TrianglesNamingMissingVerticesAreDropped) {
  RobustMesh mesh;
  mesh.SetVertices(Points(4));
  mesh.SetTriangles({0, 1, 2, 1, 2, 9, 1, 3, 2, 7}, {4, 5, 6}, 7);  // one stray index at the end
  mesh.SetCornerColours({Colour(0), Colour(1)});                       // too few: the rest are white
  mesh.Build(RobustMesh::kBuildTopology | RobustMesh::kBuildNormals);
  ASSERT_EQ(mesh.triangleCount(), 2u);
  EXPECT_EQ(mesh.surfaceTags(), (std::vector<std::int32_t>{4, 6}));
  EXPECT_EQ(mesh.colours().values[mesh.colours().corners[1]], Colour(1));
  EXPECT_EQ(mesh.colours().values[mesh.colours().corners[3]], Rgba{});
}

TEST(RobustMeshBuildTest, NoTriangleKeepsTwoEqualIndicesOnRandomMeshes) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    const int vertices = 3 + random() % 30, triangles = random() % 60;
    std::vector<std::uint32_t> indices;
    std::size_t sound = 0;
    for (int t = 0; t < triangles; ++t) {
      const std::uint32_t a = random() % vertices, b = random() % vertices, c = random() % vertices;
      indices.insert(indices.end(), {a, b, c});
      sound += a != b && b != c && a != c;
    }
    RobustMesh mesh;
    mesh.SetVertices(Points(vertices));
    mesh.SetTriangles(indices, {}, 1);
    mesh.Build(seed % 2 == 0 ? RobustMesh::kBuildNormals | RobustMesh::kBuildTopology : RobustMesh::kKeepUnusedVertices);
    ASSERT_EQ(mesh.triangleCount(), sound) << "seed " << seed;
    const auto t = mesh.triangles();
    for (std::size_t i = 0; i < mesh.triangleCount(); ++i) {
      EXPECT_NE(t[3 * i], t[3 * i + 1]);
      EXPECT_NE(t[3 * i + 1], t[3 * i + 2]);
      EXPECT_NE(t[3 * i], t[3 * i + 2]);
      for (int k = 0; k < 3; ++k) EXPECT_LT(t[3 * i + k], mesh.vertexCount());
    }
  }
}

TEST(RobustMeshNormalsTest, FaceNormalsFollowTheCornerOrder) {
  RobustMesh mesh;
  mesh.SetVertices({{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 0}, {1, 1, 1}, {2, 2, 2}});
  mesh.SetTriangles({0, 1, 2, 3, 4, 5}, {0, 0}, 1);
  const std::vector<Vector3>& normals = mesh.FaceNormals();
  ExpectNear(normals[0], {0, 0, 1});
  EXPECT_EQ(normals[1], (Vector3{0, 0, 0}));  // collinear corners: no direction, no NaN

  mesh.Build(RobustMesh::kBuildNormals | RobustMesh::kKeepUnusedVertices);
  EXPECT_FALSE(mesh.hasFaceNormals());
  for (std::uint32_t corner = 3; corner < 6; ++corner) {
    const Vector3 n = mesh.normals().values[mesh.normals().corners[corner]];
    EXPECT_EQ(n, (Vector3{0, 0, 0}));
  }
  mesh.Build(RobustMesh::kBuildNormals | RobustMesh::kKeepFaceNormals | RobustMesh::kKeepUnusedVertices);
  EXPECT_TRUE(mesh.hasFaceNormals());
}

// Two triangles sharing the edge (0, 1) along x, the second tilted up about
// that edge by `degrees`.
std::unique_ptr<RobustMesh> Hinge(float degrees) {
  const float a = degrees * kDegreesToRadians;
  auto mesh = std::make_unique<RobustMesh>();
  mesh->SetVertices({{0, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, std::cos(a), std::sin(a)}});
  mesh->SetTriangles({0, 2, 1, 0, 1, 3}, {0, 0}, 1);
  mesh->Build(RobustMesh::kBuildNormals | RobustMesh::kBuildTopology);
  return mesh;
}

Vector3 CornerNormal(const RobustMesh& mesh, std::uint32_t corner) {
  return mesh.normals().values[mesh.normals().corners[corner]];
}

TEST(RobustMeshNormalsTest, CornersSmoothAcrossGentleFoldsOnly) {
  // Face normals: (0, 0, −1)... the first triangle (0, 2, 1) faces −z·(−1) = +z.
  const auto gentleMesh = Hinge(30.0f);
  const RobustMesh& gentle = *gentleMesh;
  const Vector3 first{0, 0, 1};
  const Vector3 second{0, -std::sin(30.0f * kDegreesToRadians), std::cos(30.0f * kDegreesToRadians)};
  ExpectNear(CornerNormal(gentle, 0), Normalise(first + second));  // vertex 0, shared
  ExpectNear(CornerNormal(gentle, 2), Normalise(first + second));  // vertex 1, shared
  ExpectNear(CornerNormal(gentle, 1), first);                      // vertex 2, own face only
  ExpectNear(CornerNormal(gentle, 5), second);
  EXPECT_EQ(gentle.normals().corners[0], gentle.normals().corners[3]);  // one value for a smooth vertex

  const auto sharpMesh = Hinge(70.0f);
  const RobustMesh& sharp = *sharpMesh;  // beyond 60 degrees: a crease
  ExpectNear(CornerNormal(sharp, 0), first);
  ExpectNear(CornerNormal(sharp, 3), {0, -std::sin(70.0f * kDegreesToRadians), std::cos(70.0f * kDegreesToRadians)});
}

TEST(RobustMeshSplitTest, SplitBySurfaceGivesOnePiecePerTag) {
  RobustMesh mesh;
  mesh.SetVertices(Points(6));
  mesh.SetTriangles({0, 1, 2, 2, 1, 3, 3, 4, 5}, {2, 0, 2}, 3);
  const std::vector<std::unique_ptr<RobustMesh>> pieces = mesh.SplitBySurface();
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[1], nullptr);
  ASSERT_NE(pieces[0], nullptr);
  EXPECT_EQ(pieces[0]->triangleCount(), 1u);
  EXPECT_EQ(pieces[0]->vertexCount(), 3u);
  EXPECT_EQ(pieces[0]->positions().values[0], Points(6)[2]);
  ASSERT_EQ(pieces[2]->triangleCount(), 2u);
  EXPECT_EQ(pieces[2]->vertexCount(), 6u);
  EXPECT_EQ(pieces[2]->surfaceTags(), (std::vector<std::int32_t>{2, 2}));
}

TEST(RobustMeshSplitTest, SplitByPlaneCopiesSharedVerticesIntoBothSides) {
  RobustMesh mesh;
  // Triangle 0 has x = −1, −1, +5 (two behind); triangle 1 x = −1, +1, +5.
  mesh.SetVertices({{-1, 0, 0}, {-1, 1, 0}, {5, 0, 0}, {1, 1, 0}});
  mesh.SetTriangles({0, 1, 2, 0, 3, 2}, {0, 1}, 2);
  mesh.SetCornerColours({Colour(0), Colour(1), Colour(2), Colour(3), Colour(4), Colour(5)});
  RobustMesh front, back;
  mesh.SplitByPlane(Plane3d(1, 0, 0, 0), front, back);

  ASSERT_EQ(back.triangleCount(), 1u);
  ASSERT_EQ(front.triangleCount(), 1u);
  EXPECT_EQ(back.surfaceTags()[0], 0);
  EXPECT_EQ(front.surfaceTags()[0], 1);
  // Vertices 0 and 2 are used on both sides: each side has its own copies,
  // numbered in order of first use.
  EXPECT_EQ(front.positions().values, (std::vector<Vector3>{{-1, 0, 0}, {1, 1, 0}, {5, 0, 0}}));
  EXPECT_EQ(back.positions().values, (std::vector<Vector3>{{-1, 0, 0}, {-1, 1, 0}, {5, 0, 0}}));
  EXPECT_EQ(front.colours().values, (std::vector<Rgba>{Colour(3), Colour(4), Colour(5)}));
  EXPECT_EQ(front.boundingBox().max[0], 5.0f);
}

TEST(RobustMeshSplitTest, SixteenAndThirtyTwoBitIndexListsSplitAlike) {
  const std::vector<Vector3> points{{-1, 0, 0}, {-1, 1, 0}, {5, 0, 0}, {1, 1, 0}, {0, 2, 0}};
  const Plane3d plane(1, 0, 0, 0);
  const std::vector<std::uint16_t> short16{0, 1, 2, 0, 3, 2, 4, 1, 0};
  const std::vector<std::uint32_t> long32(short16.begin(), short16.end());
  const kst::PlaneSides a = kst::ClassifyByPlane<std::uint16_t>(short16, points, plane);
  const kst::PlaneSides b = kst::ClassifyByPlane<std::uint32_t>(long32, points, plane);
  // x = 0 counts as front; triangle 2 has x = 0, −1, −1.
  EXPECT_EQ(a.front, (std::vector<std::uint32_t>{1}));
  EXPECT_EQ(a.back, (std::vector<std::uint32_t>{0, 2}));
  EXPECT_EQ(a.front, b.front);
  EXPECT_EQ(a.back, b.back);

  const auto numbered = kst::NumberByFirstUse<std::uint16_t>(short16, a.back);
  EXPECT_EQ(numbered.indices, (std::vector<std::uint16_t>{0, 1, 2, 3, 1, 0}));
  EXPECT_EQ(numbered.oldOfNew, (std::vector<std::uint16_t>{0, 1, 2, 4}));
}

}  // namespace
