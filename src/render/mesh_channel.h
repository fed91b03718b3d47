#pragma once
// Attribute channels of a robust mesh and the index-list helpers shared by
// the mesh's compaction and splits. A channel holds its values and, for every
// triangle, three indices into them.
#include <cstdint>
#include <span>
#include <vector>

#include "render/vector3.h"

namespace kst {

struct Rgba {
  std::uint8_t r = 255, g = 255, b = 255, a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct TexCoord {
  float u = 0.0f, v = 0.0f;
  friend bool operator==(const TexCoord&, const TexCoord&) = default;
};

template <typename Value>
struct MeshChannel {
  std::vector<Value> values;
  std::vector<std::uint32_t> corners;  // 3 per triangle

  bool operator==(const MeshChannel&) const = default;
};

// Indices renumbered in order of first use, and for every new number the old
// one: what a piece of a mesh needs to copy its own vertices.
template <typename Index>
struct FirstUseNumbering {
  std::vector<Index> indices;
  std::vector<Index> oldOfNew;
};

// The corners of the chosen triangles (three per triangle, in the given
// order), renumbered by first use.
template <typename Index>
FirstUseNumbering<Index> NumberByFirstUse(std::span<const Index> corners, std::span<const std::uint32_t> triangles) {
  FirstUseNumbering<Index> result;
  result.indices.reserve(3 * triangles.size());
  std::vector<std::int64_t> newOfOld;
  for (std::uint32_t t : triangles)
    for (int k = 0; k < 3; ++k) {
      const Index old = corners[3 * t + k];
      if (old >= newOfOld.size()) newOfOld.resize(static_cast<std::size_t>(old) + 1, -1);
      if (newOfOld[old] < 0) {
        newOfOld[old] = static_cast<std::int64_t>(result.oldOfNew.size());
        result.oldOfNew.push_back(old);
      }
      result.indices.push_back(static_cast<Index>(newOfOld[old]));
    }
  return result;
}

// The channel restricted to the chosen triangles, with its own copies of the
// values they use. A channel without corners stays empty.
template <typename Value>
MeshChannel<Value> SelectTriangles(const MeshChannel<Value>& channel, std::span<const std::uint32_t> triangles) {
  MeshChannel<Value> result;
  if (channel.corners.empty()) return result;
  FirstUseNumbering<std::uint32_t> numbering = NumberByFirstUse<std::uint32_t>(channel.corners, triangles);
  result.corners = std::move(numbering.indices);
  result.values.reserve(numbering.oldOfNew.size());
  for (std::uint32_t old : numbering.oldOfNew) result.values.push_back(channel.values[old]);
  return result;
}

// Keeps the corners of the chosen triangles only; the values stay as they are.
template <typename Value>
void KeepTriangles(MeshChannel<Value>& channel, std::span<const std::uint32_t> triangles) {
  if (channel.corners.empty()) return;
  std::vector<std::uint32_t> kept;
  kept.reserve(3 * triangles.size());
  for (std::uint32_t t : triangles) kept.insert(kept.end(), channel.corners.begin() + 3 * t, channel.corners.begin() + 3 * t + 3);
  channel.corners = std::move(kept);
}

}  // namespace kst
