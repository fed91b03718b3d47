// Cutting meshes into chunks, and the stored form of mesh primitives.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <set>
#include <span>
#include <vector>

#include "mesh_samples.h"
#include "persist/class_registration.h"
#include "persist/object_record.h"
#include "scene/mesh/chunk_cutting.h"
#include "scene/mesh/mesh_primitive.h"
#include "support/memory_store.h"

namespace {

using scenetest::gridMesh;
using Counts = std::vector<std::uint32_t>;

std::unique_ptr<MeshPrimitive> builtFrom(std::unique_ptr<kst::RobustMesh> source) {
  auto mesh = std::make_unique<MeshPrimitive>();
  mesh->source = std::move(source);
  mesh->build(false, 0);
  return mesh;
}

Counts chunkTriangles(const MeshPrimitive& mesh) {
  Counts counts;
  for (const MeshPrimitive::Chunk& chunk : mesh.chunks) counts.push_back(chunk.geometry->triangleCount);
  return counts;
}

// A strip of quads along x; for an odd count the last triangle gets two
// equal corners, and Build drops it.
std::unique_ptr<kst::RobustMesh> stripOfTriangles(int triangles) {
  auto mesh = gridMesh({.columns = (triangles + 1) / 2});
  std::vector<std::uint32_t> corners(mesh->triangles().begin(), mesh->triangles().end());
  if (triangles % 2 != 0) corners.back() = corners[corners.size() - 2];
  mesh->SetTriangles(corners, mesh->surfaceTags(), 1);
  mesh->Build(kst::RobustMesh::kKeepUnusedVertices);
  return mesh;
}

// Fans of eight triangles with their tips at x = 0 and their other corners
// on a row at x = 1: the mean x lies past 8/9, so every triangle has two
// corners in front of the cut and its back half stays empty.
std::unique_ptr<kst::RobustMesh> uncuttable(int triangles) {
  std::vector<Vector3> vertices;
  for (int j = 0; j <= triangles; ++j) vertices.push_back({1, 0.00001f * j, 0});  // x stays the longest side
  std::vector<std::uint32_t> corners;
  for (std::uint32_t t = 0; t < static_cast<std::uint32_t>(triangles); ++t) {
    if (t % 8 == 0) vertices.push_back({0, 0.00001f * t, 0});
    corners.insert(corners.end(), {static_cast<std::uint32_t>(vertices.size() - 1), t, t + 1});
  }
  auto mesh = std::make_unique<kst::RobustMesh>();
  mesh->SetVertices(std::move(vertices));
  mesh->SetTriangles(std::move(corners), std::vector<std::int32_t>(triangles, 0), 1);
  return mesh;
}

TEST(MeshChunking, PiecesAbove999TrianglesAreCutAtTheMeanVertex) {
  EXPECT_EQ(chunkTriangles(*builtFrom(stripOfTriangles(999))), Counts{999});
  // 500 quads along x: the cut at the mean x = 250 leaves 499 triangles
  // behind it (two corners below 250) and 501 in front, listed first.
  const auto cut = builtFrom(stripOfTriangles(1000));
  ASSERT_EQ(chunkTriangles(*cut), (Counts{501, 499}));
  EXPECT_GE(cut->chunks[0].geometry->box.min[0], 249.0f);
  EXPECT_LE(cut->chunks[1].geometry->box.max[0], 250.0f);

  kst::RobustMesh piece;
  piece.SetVertices({{0, 0, 0}, {10, 0, 0}, {1, 1, 0}});
  piece.SetTriangles({0, 1, 2}, {0}, 1);
  EXPECT_EQ(meshchunks::splitPlane(piece).normal(), (Vector3{1, 0, 0}));
  EXPECT_FLOAT_EQ(meshchunks::splitPlane(piece).d(), -11.0f / 3.0f);
}

TEST(MeshChunking, PieceTheCutCannotDivideStaysWholeWhileShortIndicesReachIt) {
  EXPECT_EQ(chunkTriangles(*builtFrom(uncuttable(1200))), Counts{1200});
  // Past 21,845 triangles 16-bit indices may not reach every vertex: the
  // piece goes in runs of 999 triangles.
  Counts runs(22, 999);
  runs.push_back(22000 - 22 * 999);
  EXPECT_EQ(chunkTriangles(*builtFrom(uncuttable(22000))), runs);
}

TEST(MeshChunking, LongestAxisWithTiesGoingToTheLaterAxis) {
  auto axisOf = [](float x, float y, float z) {
    persist::BoundingBox box;
    box.grow({0, 0, 0});
    box.grow({x, y, z});
    return meshchunks::splitAxis(box);
  };
  EXPECT_EQ(axisOf(3, 2, 1), 0);
  EXPECT_EQ(axisOf(3, 3, 1), 1);
  EXPECT_EQ(axisOf(3, 1, 3), 2);
  EXPECT_EQ(axisOf(1, 3, 3), 2);
  // A 25 × 25 square of 1000 triangles is cut across y: every chunk spans the whole width.
  const auto square = builtFrom(gridMesh({.columns = 25, .rows = 20, .cellHeight = 1.25f}));
  ASSERT_GT(square->chunks.size(), 1u);
  for (const MeshPrimitive::Chunk& chunk : square->chunks) {
    EXPECT_EQ(chunk.geometry->box.max[0] - chunk.geometry->box.min[0], 25.0f);
    EXPECT_LT(chunk.geometry->box.max[1] - chunk.geometry->box.min[1], 25.0f);
  }
}

// Vertices fetched again per triangle by a 16-entry FIFO cache.
template <typename Index>
double missesPerTriangle(std::span<const Index> indices) {
  std::deque<Index> fifo;
  std::size_t misses = 0;
  for (Index index : indices) {
    if (std::find(fifo.begin(), fifo.end(), index) != fifo.end()) continue;
    ++misses;
    fifo.push_front(index);
    if (fifo.size() > 16) fifo.pop_back();
  }
  return static_cast<double>(misses) / static_cast<double>(indices.size() / 3);
}

TEST(MeshChunking, ChunkTrianglesAreOrderedForTheVertexCache) {
  // Row by row, a row of 21 vertices is gone from the cache when the next
  // row needs it: about one miss per triangle. Strips cut to the cache do better.
  auto source = gridMesh({.columns = 20, .rows = 20, .quadCoordinates = false});
  EXPECT_GT(missesPerTriangle(source->triangles()), 0.9);
  const auto mesh = builtFrom(std::move(source));
  ASSERT_EQ(mesh->chunks.size(), 1u);
  EXPECT_EQ(mesh->chunks[0].geometry->vertexCount, 21u * 21u);
  EXPECT_LT(missesPerTriangle(std::span<const std::uint16_t>(mesh->chunks[0].geometry->indices)), 0.8);
}

// A triangle corner as (x, y, z, r, g, b, a, u0, v0, u1, v1); a triangle as
// its surface and corners, turned to start at its smallest corner, so the
// winding counts but not where the list starts.
using Corner = std::array<float, 11>;
using Signature = std::pair<std::uint32_t, std::array<Corner, 3>>;

Corner corner(Vector3 p, kst::Rgba c, kst::TexCoord t0, kst::TexCoord t1) {
  return {p.x, p.y, p.z, float(c.r), float(c.g), float(c.b), float(c.a), t0.u, t0.v, t1.u, t1.v};
}

Signature signature(std::uint32_t surface, std::array<Corner, 3> corners) {
  std::rotate(corners.begin(), std::min_element(corners.begin(), corners.end()), corners.end());
  return {surface, corners};
}

template <typename Value>
Value at(const kst::MeshChannel<Value>& channel, std::size_t corner) {
  return channel.values[channel.corners[corner]];
}

TEST(MeshChunking, ChunksCoverEverySourceTriangleOnceWithItsWindingAndAttributes) {
  // 5,000 triangles: 2,000 on surface 0 (the left 20 columns), 3,000 on surface 1.
  auto source = gridMesh({.columns = 50, .rows = 50, .surfaceOf = [](int c, int) { return c < 20 ? 0 : 1; },
                          .surfaceCount = 2});
  std::vector<Signature> expected;
  for (std::size_t t = 0; t < source->triangleCount(); ++t) {
    std::array<Corner, 3> corners;
    for (std::size_t c = 3 * t; c < 3 * t + 3; ++c)
      corners[c - 3 * t] = corner(at(source->positions(), c), at(source->colours(), c),
                                  at(source->texCoords(0), c), at(source->texCoords(1), c));
    expected.push_back(signature(source->surfaceTags()[t], corners));
  }
  const auto mesh = builtFrom(std::move(source));

  std::vector<Signature> found;
  for (const MeshPrimitive::Chunk& chunk : mesh->chunks) {
    const MeshChunk& g = *chunk.geometry;
    EXPECT_LE(g.triangleCount, MeshPrimitive::kMaxChunkTriangles);
    ASSERT_EQ(g.indices.size(), 3u * g.triangleCount);
    std::set<Corner> distinct;
    for (std::size_t t = 0; t < g.triangleCount; ++t) {
      std::array<Corner, 3> corners;
      for (std::size_t k = 0; k < 3; ++k) {
        const std::uint16_t v = g.indices[3 * t + k];
        ASSERT_LT(v, g.vertexCount);
        corners[k] = corner(g.positions[v], g.colors[v], g.texCoords[0][v], g.texCoords[1][v]);
        distinct.insert(corners[k]);
      }
      found.push_back(signature(chunk.subMesh, corners));
    }
    EXPECT_EQ(g.vertexCount, distinct.size());  // corners that agree share one vertex
  }
  std::sort(expected.begin(), expected.end());
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, expected);
  ASSERT_EQ(mesh->subMeshes.size(), 2u);
  EXPECT_EQ(mesh->subMeshes[0].box.max[0], 20.0f);
  EXPECT_EQ(mesh->subMeshes[1].box.min[0], 20.0f);
  EXPECT_EQ(mesh->box.max, (persist::Vec3{50, 50, 0}));
}

std::vector<std::uint8_t> stored(MeshPrimitive& mesh) {
  fake::MemoryStore store;
  writeRecord(mesh, store);
  return store.bytes;
}

TEST(MeshPrimitiveStore, WritingWhatWasReadGivesTheSameBytes) {
  RegisterClassFactories();
  // Surface 2 has no triangles: its sub-mesh box stays empty.
  auto mesh = builtFrom(gridMesh({.columns = 30, .rows = 40, .surfaceOf = [](int, int r) { return r % 2; },
                                  .surfaceCount = 3}));
  mesh->surfaceIndices = {4, 0, 3};
  mesh->surfaceNames = {"Floor", "Wall", "Unused"};
  const std::vector<std::uint8_t> first = stored(*mesh);
  // Each box goes empty flag first, after the name and version (22 bytes) and the count.
  const std::size_t body = sizeof MeshPrimitive::storedName + 2;
  ASSERT_GT(first.size(), body + 76);
  EXPECT_EQ(first[body], 0x83);
  EXPECT_EQ((std::array{first[body + 1], first[body + 26], first[body + 51]}), (std::array<std::uint8_t, 3>{0, 0, 1}));

  fake::MemoryStore in(first);
  std::unique_ptr<MeshPrimitive> read = in.adopt<MeshPrimitive>(readRecord(in));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->surfaceIndices, mesh->surfaceIndices);
  EXPECT_EQ(read->surfaceNames, mesh->surfaceNames);
  EXPECT_EQ(read->chunks.size(), mesh->chunks.size());  // built on reading
  EXPECT_EQ(stored(*read), first);

  // Without a source the body ends in a 0; any flag but 0 or 1 is damage.
  MeshPrimitive bare;
  bare.addSubMesh("Lone");
  std::vector<std::uint8_t> bytes = stored(bare);
  EXPECT_EQ(bytes.back(), 0);
  bytes.back() = 2;
  fake::MemoryStore damaged(bytes);
  EXPECT_THROW(readRecord(damaged), persistent::exception);
}

}  // namespace
