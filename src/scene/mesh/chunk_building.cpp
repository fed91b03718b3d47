#include "scene/mesh/chunk_building.h"

#include <mutex>
#include <span>
#include <vector>

#include "base/stop_request.h"
#include "geometry/tri_strip.h"

namespace meshchunks {

namespace {

// Which corner index array stands in which place of a chunk vertex's key:
// for each channel the mesh has, the index of a corner's value.
struct KeyLayout {
  const kst::RobustMesh& piece;
  std::vector<std::span<const std::uint32_t>> corners;  // positions first
  int normal = -1;
  int colour = -1;
  std::vector<int> texCoord;  // per set, -1 when the set has no corners

  explicit KeyLayout(const kst::RobustMesh& mesh) : piece(mesh) {
    corners.push_back(piece.positions().corners);
    normal = addChannel(piece.normals().corners);
    colour = addChannel(piece.colours().corners);
    for (int set = 0; set < piece.texCoordChannelCount(); ++set)
      texCoord.push_back(addChannel(piece.texCoords(set).corners));
  }
  int addChannel(std::span<const std::uint32_t> channel) {
    if (channel.empty()) return -1;
    corners.push_back(channel);
    return static_cast<int>(corners.size()) - 1;
  }
  std::size_t width() const { return corners.size(); }

  // Attributes are compared by value: meshes often give every corner its
  // own copy (corner colours, projected coordinates), and a vertex shared by
  // value is still one vertex for the cache.
  bool sameAttributes(const std::uint32_t* key, std::size_t corner) const {
    if (!sameValue(piece.normals(), normal, key, corner) || !sameValue(piece.colours(), colour, key, corner))
      return false;
    for (std::size_t set = 0; set < texCoord.size(); ++set)
      if (!sameValue(piece.texCoords(static_cast<int>(set)), texCoord[set], key, corner)) return false;
    return true;
  }
  template <typename Value>
  bool sameValue(const kst::MeshChannel<Value>& channel, int slot, const std::uint32_t* key, std::size_t corner) const {
    return slot < 0 || channel.values[key[slot]] == channel.values[corners[slot][corner]];
  }
};

// Corners at the same position with the same attributes share one vertex.
// Candidates are found through the position, so the search stays short.
struct Unified {
  std::vector<std::uint32_t> keys;  // layout.width() per vertex
  std::vector<std::uint16_t> triangles;
};

Unified unifyCorners(const KeyLayout& layout, std::size_t first, std::size_t count) {
  const std::size_t width = layout.width();
  Unified result;
  result.triangles.reserve(3 * count);
  std::vector<std::int32_t> firstOfPosition(layout.piece.vertexCount(), -1);
  std::vector<std::int32_t> nextOfSamePosition;
  for (std::size_t corner = 3 * first; corner < 3 * (first + count); ++corner) {
    const std::uint32_t position = layout.corners[0][corner];
    std::int32_t vertex = firstOfPosition[position];
    while (vertex >= 0 && !layout.sameAttributes(&result.keys[vertex * width], corner))
      vertex = nextOfSamePosition[vertex];
    if (vertex < 0) {
      vertex = static_cast<std::int32_t>(nextOfSamePosition.size());
      for (std::size_t k = 0; k < width; ++k) result.keys.push_back(layout.corners[k][corner]);
      nextOfSamePosition.push_back(firstOfPosition[position]);
      firstOfPosition[position] = vertex;
    }
    result.triangles.push_back(static_cast<std::uint16_t>(vertex));
  }
  return result;
}

std::mutex stripModule;

std::vector<std::uint16_t> reorderForVertexCache(const std::vector<std::uint16_t>& triangles) {
  std::lock_guard<std::mutex> lock(stripModule);
  tristrip::SetListOutput(true);
  std::vector<tristrip::PrimitiveGroup> groups = tristrip::Generate(triangles);
  tristrip::SetListOutput(false);
  // List output gives one group with every triangle; anything else would
  // lose triangles, so the input order stands then.
  if (groups.size() != 1 || groups[0].indices.size() != triangles.size()) return triangles;
  return std::move(groups[0].indices);
}

void resizeChannels(MeshChunk& chunk, const KeyLayout& layout, std::size_t vertices) {
  chunk.positions.resize(vertices);
  if (layout.normal >= 0) chunk.normals.resize(vertices);
  if (layout.colour >= 0) chunk.colors.resize(vertices);
  chunk.texCoords.assign(chunk.texCoordSets, std::vector<kst::TexCoord>(vertices));
}

void copyVertex(const KeyLayout& layout, const std::uint32_t* key, std::size_t to, MeshChunk& chunk) {
  const kst::RobustMesh& piece = layout.piece;
  const Vector3& p = piece.positions().values[key[0]];
  chunk.positions[to] = p;
  chunk.box.grow({p.x, p.y, p.z});
  if (layout.normal >= 0) chunk.normals[to] = piece.normals().values[key[layout.normal]];
  if (layout.colour >= 0) chunk.colors[to] = piece.colours().values[key[layout.colour]];
  for (std::size_t set = 0; set < layout.texCoord.size(); ++set)
    if (layout.texCoord[set] >= 0)
      chunk.texCoords[set][to] = piece.texCoords(static_cast<int>(set)).values[key[layout.texCoord[set]]];
}

}  // namespace

std::unique_ptr<MeshChunk> makeChunk(const kst::RobustMesh& piece, std::size_t first, std::size_t count) {
  // Building a large scene's chunks takes seconds: a stop asked meanwhile
  // ends its reading, so that nobody waits for it.
  kst::stopPoint();
  const KeyLayout layout(piece);
  const Unified unified = unifyCorners(layout, first, count);
  const std::size_t vertices = unified.keys.size() / layout.width();
  auto chunk = std::make_unique<MeshChunk>();
  chunk->triangleCount = static_cast<std::uint32_t>(count);
  chunk->texCoordSets = static_cast<std::uint32_t>(layout.texCoord.size());
  resizeChannels(*chunk, layout, vertices);
  // Vertices in the order the reordered list first uses them: the arrays
  // are then read front to back as well.
  std::vector<std::int32_t> newOfUnified(vertices, -1);
  chunk->indices = reorderForVertexCache(unified.triangles);
  for (std::uint16_t& index : chunk->indices) {
    if (newOfUnified[index] < 0) {
      newOfUnified[index] = static_cast<std::int32_t>(chunk->vertexCount++);
      copyVertex(layout, &unified.keys[index * layout.width()], newOfUnified[index], *chunk);
    }
    index = static_cast<std::uint16_t>(newOfUnified[index]);
  }
  return chunk;
}

}  // namespace meshchunks
