#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "persist/dynamic_factory.h"
#include "persist/class_registration.h"
#include "render/robust_mesh.h"
#include "support/memory_store.h"

namespace {

using kst::RobustMesh;

std::vector<std::uint8_t> Saved(RobustMesh& mesh) {
  fake::MemoryStore store;
  mesh.serialize(store, true);
  return store.bytes;
}

std::unique_ptr<RobustMesh> Loaded(std::vector<std::uint8_t> bytes) {
  fake::MemoryStore store(std::move(bytes));
  auto mesh = std::make_unique<RobustMesh>();
  mesh->serialize(store, false);
  EXPECT_EQ(store.position, store.bytes.size());
  return mesh;
}

void ExpectSameChannels(const RobustMesh& a, const RobustMesh& b) {
  EXPECT_EQ(a.positions(), b.positions());
  EXPECT_EQ(a.normals(), b.normals());
  EXPECT_EQ(a.colours(), b.colours());
  ASSERT_EQ(a.texCoordChannelCount(), b.texCoordChannelCount());
  for (int set = 0; set < a.texCoordChannelCount(); ++set) EXPECT_EQ(a.texCoords(set), b.texCoords(set));
  EXPECT_EQ(a.surfaceTags(), b.surfaceTags());
  EXPECT_EQ(a.surfaceCount(), b.surfaceCount());
  EXPECT_EQ(a.boundingBox(), b.boundingBox());
}

// Empty box (25 bytes), then the empty positions channel: value count 0x80,
// narrow flag 0, corner array count 0x80. The surface count follows.
constexpr std::size_t kSurfaceCountOffset = 25 + 3;

TEST(RobustMeshStoreTest, SurfaceCountIsAVarint) {
  RobustMesh mesh;
  mesh.SetTriangles({}, {}, 127);
  std::vector<std::uint8_t> bytes = Saved(mesh);
  EXPECT_EQ(bytes[0], 1);  // empty box
  EXPECT_EQ(bytes[kSurfaceCountOffset], 0xFF);
  EXPECT_EQ(bytes[kSurfaceCountOffset + 1], 0x80);  // no tags

  mesh.SetTriangles({}, {}, 128);
  bytes = Saved(mesh);
  EXPECT_EQ(bytes[kSurfaceCountOffset], 0x00);
  EXPECT_EQ(bytes[kSurfaceCountOffset + 1], 0x81);
}

std::vector<Vector3> Line(std::size_t count) {
  std::vector<Vector3> points(count);
  for (std::size_t i = 0; i < count; ++i) points[i] = {static_cast<float>(i), 0.0f, static_cast<float>(i % 3)};
  return points;
}

// The byte after a channel's values says how its corner indices are stored.
std::uint8_t PositionsWidthFlag(RobustMesh& mesh) {
  const std::vector<std::uint8_t> bytes = Saved(mesh);
  std::size_t at = 25;
  std::uint32_t count = 0;
  for (int shift = 0;; shift += 7) {
    count |= (bytes[at] & 0x7Fu) << shift;
    if (bytes[at++] & 0x80) break;
  }
  return bytes[at + count * 12];
}

TEST(RobustMeshStoreTest, CornerIndexWidthFollowsEachChannelsValueCount) {
  for (std::size_t count : {65535u, 65536u}) {
    RobustMesh mesh;
    mesh.SetVertices(Line(count));
    mesh.SetTriangles({0, static_cast<std::uint32_t>(count - 1), 1}, {0}, 1);
    mesh.SetCornerColours({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}});
    EXPECT_EQ(PositionsWidthFlag(mesh), count == 65536 ? 1 : 0);
    const std::unique_ptr<RobustMesh> loaded = Loaded(Saved(mesh));
    ExpectSameChannels(mesh, *loaded);
    EXPECT_EQ(loaded->triangles()[1], count - 1);
  }
}

TEST(RobustMeshStoreTest, BuiltRandomMeshesComeBackEqual) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    std::mt19937 random(seed);
    const std::uint32_t vertices = 3 + random() % 40;
    std::vector<Vector3> points;
    for (std::uint32_t v = 0; v < vertices; ++v)
      points.push_back({static_cast<float>(random() % 100), static_cast<float>(random() % 100), static_cast<float>(random() % 7)});
    // One triangle per surface first: no fewer triangles than surfaces.
    std::vector<std::uint32_t> indices{0, 1, 2, 0, 1, 2, 0, 1, 2};
    std::vector<std::int32_t> tags{0, 1, 2};
    std::vector<kst::Rgba> colours(9);
    std::vector<kst::TexCoord> uvs(9);
    for (int t = random() % 50; t > 0; --t) {
      for (int k = 0; k < 3; ++k) {
        indices.push_back(random() % vertices);
        colours.push_back({static_cast<std::uint8_t>(random()), 1, 2, 3});
        uvs.push_back({static_cast<float>(random() % 10), 0.25f});
      }
      tags.push_back(static_cast<std::int32_t>(random() % 3));
    }
    RobustMesh mesh;
    mesh.SetVertices(points);
    mesh.SetTriangles(indices, tags, 3);
    mesh.SetCornerColours(colours);
    mesh.AddCornerTexCoords(uvs);
    mesh.AddCornerTexCoords(uvs);
    mesh.Build(RobustMesh::kBuildNormals | RobustMesh::kBuildTopology);
    const std::unique_ptr<RobustMesh> loaded = Loaded(Saved(mesh));
    ExpectSameChannels(mesh, *loaded);
  }
}

TEST(RobustMeshStoreTest, DamagedStreamsFailToLoad) {
  RobustMesh mesh;
  mesh.SetVertices(Line(4));
  mesh.SetTriangles({0, 1, 2, 2, 1, 3}, {0, 0}, 1);
  std::vector<std::uint8_t> bytes = Saved(mesh);
  // Cut short anywhere: the load fails instead of leaving a half mesh.
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    fake::MemoryStore store(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + length));
    RobustMesh loaded;
    EXPECT_THROW(loaded.serialize(store, false), persistent::exception) << length;
  }
  // A corner naming a vertex that is not there.
  RobustMesh bad;
  bad.SetVertices(Line(2));
  bad.SetTriangles({0, 1, 5}, {0}, 1);
  fake::MemoryStore store(Saved(bad));
  RobustMesh loaded;
  EXPECT_THROW(loaded.serialize(store, false), persistent::exception);
}

// Splitting makes one slot per surface: a stored count above the triangles
// fails the load instead of costing memory no byte paid for.
TEST(RobustMeshStoreTest, ASurfaceCountTheTrianglesCannotUseFailsToLoad) {
  struct Case {
    std::vector<std::int32_t> tags;  // one per triangle
    int count;
    bool loads;
  };
  const std::vector<Case> cases{
      {{}, 0, true},
      {{}, 1, false},                  // no triangle at all
      {{0, 1, 1}, 3, true},            // surface 2 unused, as objects may have
      {{0, 1, 1}, 4, false},           // more than the triangles
      {{0, 1, 1}, 0x7FFFFFFF, false},
      {{0, 1, 1}, -1, false},
  };
  for (const Case& c : cases) {
    RobustMesh mesh;
    mesh.SetVertices(Line(3));
    std::vector<std::uint32_t> corners;
    for (std::size_t t = 0; t < c.tags.size(); ++t) corners.insert(corners.end(), {0, 1, 2});
    mesh.SetTriangles(corners, c.tags, c.count);
    fake::MemoryStore store(Saved(mesh));
    RobustMesh loaded;
    if (c.loads) {
      loaded.serialize(store, false);
      EXPECT_EQ(loaded.surfaceCount(), c.count);
    } else {
      EXPECT_THROW(loaded.serialize(store, false), persistent::exception) << c.count;
    }
  }
}

TEST(RobustMeshStoreTest, RegisteredUnderItsClassName) {
  RegisterClassFactories();
  std::unique_ptr<persistent> made(dynamic::createByName("class kst::RobustMesh"));
  EXPECT_NE(dynamic_cast<RobustMesh*>(made.get()), nullptr);
}

}  // namespace
