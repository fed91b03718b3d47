// Cutting meshes into chunks, and the stored form of mesh primitives.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <vector>

#include "mesh_samples.h"
#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "scene/mesh/chunk_cutting.h"
#include "scene/mesh/mesh_primitive.h"
#include "support/memory_store.h"

namespace {

using scenetest::GridShape;
using scenetest::gridMesh;

std::unique_ptr<MeshPrimitive> builtFrom(std::unique_ptr<kst::RobustMesh> source) {
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->build(false, 0);
  return mesh;
}

// A strip of quads along x with its last triangles left off.
std::unique_ptr<kst::RobustMesh> stripOfTriangles(int triangles) {
  auto full = gridMesh({.columns = (triangles + 1) / 2});
  if (triangles % 2 == 0) return full;
  // Dropping the last triangle: give it two equal corners and let Build remove it.
  std::vector<std::uint32_t> corners(full->triangles().begin(), full->triangles().end());
  corners[corners.size() - 1] = corners[corners.size() - 2];
  full->SetTriangles(corners, full->surfaceTags(), 1);
  full->Build(kst::RobustMesh::kKeepUnusedVertices);
  return full;
}

TEST(MeshChunking, PiecesAbove999TrianglesAreCut) {
  const auto fits = builtFrom(stripOfTriangles(999));
  ASSERT_EQ(fits->chunks.size(), 1u);
  EXPECT_EQ(fits->chunks[0].geometry->triangleCount, 999u);

  // 500 quads along x: the cut at the mean x = 250 leaves 499 triangles
  // behind it (two corners below 250) and 501 in front.
  const auto cut = builtFrom(stripOfTriangles(1000));
  ASSERT_EQ(cut->chunks.size(), 2u);
  EXPECT_EQ(cut->chunks[0].geometry->triangleCount, 501u);  // the front half first
  EXPECT_EQ(cut->chunks[1].geometry->triangleCount, 499u);
  EXPECT_GE(cut->chunks[0].geometry->box.min[0], 249.0f);
  EXPECT_LE(cut->chunks[1].geometry->box.max[0], 250.0f);
}

TEST(MeshChunking, LongestAxisWithTiesGoingToTheLaterAxis) {
  auto box = [](float x, float y, float z) {
    persist::BoundingBox b;
    b.grow({0, 0, 0});
    b.grow({x, y, z});
    return b;
  };
  EXPECT_EQ(meshchunks::splitAxis(box(3, 2, 1)), 0);
  EXPECT_EQ(meshchunks::splitAxis(box(3, 3, 1)), 1);
  EXPECT_EQ(meshchunks::splitAxis(box(3, 1, 3)), 2);
  EXPECT_EQ(meshchunks::splitAxis(box(1, 3, 3)), 2);
  EXPECT_EQ(meshchunks::splitAxis(box(2, 2, 2)), 2);

  // A 25 × 25 square of 1000 triangles is cut across y: every chunk spans
  // the whole width.
  const auto square = builtFrom(gridMesh({.columns = 25, .rows = 20, .cellHeight = 1.25f}));
  ASSERT_GT(square->chunks.size(), 1u);
  for (const MeshPrimitive::Chunk& chunk : square->chunks) {
    EXPECT_EQ(chunk.geometry->box.min[0], 0.0f);
    EXPECT_EQ(chunk.geometry->box.max[0], 25.0f);
    EXPECT_LT(chunk.geometry->box.max[1] - chunk.geometry->box.min[1], 25.0f);
  }
}

TEST(MeshChunking, CutPassesThroughTheMeanVertexCoordinate) {
  kst::RobustMesh piece;
  piece.SetVertices({{0, 0, 0}, {10, 0, 0}, {1, 1, 0}});
  piece.SetTriangles({0, 1, 2}, {0}, 1);
  const Plane3d plane = meshchunks::splitPlane(piece);
  EXPECT_EQ(plane.normal(), (Vector3{1, 0, 0}));
  EXPECT_FLOAT_EQ(plane.d(), -11.0f / 3.0f);
}

// One triangle as its three corners, each (x, y, z, r, g, b, a, u0, v0, u1, v1),
// turned so that its smallest corner comes first: the winding stays.
using Corner = std::array<float, 11>;
using Signature = std::pair<int, std::array<Corner, 3>>;

Signature signature(int surface, std::array<Corner, 3> corners) {
  const auto smallest = std::min_element(corners.begin(), corners.end()) - corners.begin();
  std::rotate(corners.begin(), corners.begin() + smallest, corners.end());
  return {surface, corners};
}

std::vector<Signature> sourceTriangles(const kst::RobustMesh& mesh) {
  std::vector<Signature> all;
  for (std::size_t t = 0; t < mesh.triangleCount(); ++t) {
    std::array<Corner, 3> corners;
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t c = 3 * t + k;
      const Vector3 p = mesh.positions().values[mesh.positions().corners[c]];
      const kst::Rgba colour = mesh.colours().values[mesh.colours().corners[c]];
      const kst::TexCoord t0 = mesh.texCoords(0).values[mesh.texCoords(0).corners[c]];
      const kst::TexCoord t1 = mesh.texCoords(1).values[mesh.texCoords(1).corners[c]];
      corners[k] = {p.x, p.y, p.z, float(colour.r), float(colour.g), float(colour.b), float(colour.a),
                    t0.u, t0.v, t1.u, t1.v};
    }
    all.push_back(signature(mesh.surfaceTags()[t], corners));
  }
  return all;
}

Corner chunkCorner(const MeshChunk& chunk, std::uint16_t v) {
  const Vector3 p = chunk.positions[v];
  const kst::Rgba colour = chunk.colors[v];
  return {p.x, p.y, p.z, float(colour.r), float(colour.g), float(colour.b), float(colour.a),
          chunk.texCoords[0][v].u, chunk.texCoords[0][v].v, chunk.texCoords[1][v].u, chunk.texCoords[1][v].v};
}

TEST(MeshChunking, ChunksCoverEverySourceTriangleOnceWithItsWindingAndAttributes) {
  // 5,000 triangles: 2,000 on surface 0 (the left 20 columns), 3,000 on surface 1.
  auto source = gridMesh({.columns = 50, .rows = 50, .surfaceOf = [](int c, int) { return c < 20 ? 0 : 1; },
                          .surfaceCount = 2});
  std::vector<Signature> expected = sourceTriangles(*source);
  const std::unique_ptr<MeshPrimitive> built = builtFrom(std::move(source));
  const MeshPrimitive& mesh = *built;

  std::vector<Signature> found;
  for (const MeshPrimitive::Chunk& chunk : mesh.chunks) {
    const MeshChunk& g = *chunk.geometry;
    EXPECT_LE(g.triangleCount, MeshPrimitive::kMaxChunkTriangles);
    ASSERT_EQ(g.indices.size(), 3u * g.triangleCount);
    ASSERT_EQ(g.texCoordSets, 2u);
    std::set<Corner> distinct;
    for (std::size_t t = 0; t < g.triangleCount; ++t) {
      std::array<Corner, 3> corners;
      for (std::size_t k = 0; k < 3; ++k) {
        ASSERT_LT(g.indices[3 * t + k], g.vertexCount);
        corners[k] = chunkCorner(g, g.indices[3 * t + k]);
        distinct.insert(corners[k]);
      }
      found.push_back(signature(static_cast<int>(chunk.subMesh), corners));
    }
    // Corners that agree in every attribute share one vertex.
    EXPECT_EQ(g.vertexCount, distinct.size());
    EXPECT_EQ(g.positions.size(), g.vertexCount);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, expected);

  ASSERT_EQ(mesh.subMeshes.size(), 2u);
  EXPECT_EQ(mesh.subMeshes[0].box.max[0], 20.0f);
  EXPECT_EQ(mesh.subMeshes[1].box.min[0], 20.0f);
  EXPECT_EQ(mesh.box.max, (persist::Vec3{50, 50, 0}));
}

std::vector<std::uint8_t> stored(MeshPrimitive& mesh) {
  fake::MemoryStore store;
  writeRecord(mesh, store);
  return store.bytes;
}

TEST(MeshPrimitiveStore, WritingWhatWasReadGivesTheSameBytes) {
  RegisterClassFactories();
  // Surface 2 has no triangles: its sub-mesh box stays empty.
  std::unique_ptr<MeshPrimitive> built = builtFrom(gridMesh({.columns = 30, .rows = 40, .surfaceOf = [](int, int r) { return r % 2; },
                                           .surfaceCount = 3}));
  MeshPrimitive& mesh = *built;
  mesh.surfaceIndices = {4, 0, 3};
  mesh.surfaceNames = {"Floor", "Wall", "Unused"};
  const std::vector<std::uint8_t> first = stored(mesh);

  // Each box goes empty flag first; the name and version take 22 bytes.
  const std::size_t body = sizeof MeshPrimitive::storedName + 2;
  ASSERT_GT(first.size(), body + 76);
  EXPECT_EQ(first[body], 0x83);  // three sub-meshes
  EXPECT_EQ(first[body + 1], 0);
  EXPECT_EQ(first[body + 1 + 25], 0);
  EXPECT_EQ(first[body + 1 + 50], 1);

  fake::MemoryStore in(first);
  std::unique_ptr<MeshPrimitive> read = in.adopt<MeshPrimitive>(readRecord(in));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(in.position, first.size());
  EXPECT_EQ(read->surfaceIndices, mesh.surfaceIndices);
  EXPECT_EQ(read->surfaceNames, mesh.surfaceNames);
  ASSERT_EQ(read->chunks.size(), mesh.chunks.size());  // built on reading
  EXPECT_EQ(read->elements.size(), mesh.chunks.size());
  EXPECT_EQ(stored(*read), first);
}

TEST(MeshPrimitiveStore, SourceFlagIsOneByteAndNothingElse) {
  RegisterClassFactories();
  MeshPrimitive empty;
  empty.addSubMesh("Lone");
  std::vector<std::uint8_t> bytes = stored(empty);
  EXPECT_EQ(bytes.back(), 0);  // no source
  fake::MemoryStore in(bytes);
  std::unique_ptr<MeshPrimitive> read = in.adopt<MeshPrimitive>(readRecord(in));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->source, nullptr);
  EXPECT_EQ(read->surfaceNames, std::vector<std::string>{"Lone"});
  EXPECT_TRUE(read->subMeshes.at(0).box.empty);

  bytes.back() = 2;
  fake::MemoryStore damaged(bytes);
  EXPECT_THROW(readRecord(damaged), persistent::exception);
}

}  // namespace
