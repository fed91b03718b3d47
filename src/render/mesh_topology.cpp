#include "render/mesh_topology.h"

#include <algorithm>
#include <tuple>

namespace kst {

namespace {

struct Side {
  std::uint32_t low, high, ref;
};

std::vector<Side> SidesOf(std::span<const std::uint32_t> triangles) {
  std::vector<Side> sides;
  sides.reserve(triangles.size());
  for (std::uint32_t t = 0; t < triangles.size() / 3; ++t)
    for (int s = 0; s < 3; ++s) {
      const std::uint32_t from = triangles[3 * t + s], to = triangles[3 * t + (s + 1) % 3];
      sides.push_back({std::min(from, to), std::max(from, to), FaceRef::Make(t, s, from < to)});
    }
  // Sorting by reference orders each ring by triangle: the triangle sits in
  // the low bits, and one triangle never has two sides on the same edge
  // unless it is degenerate.
  std::sort(sides.begin(), sides.end(), [](const Side& a, const Side& b) {
    return std::tie(a.low, a.high) != std::tie(b.low, b.high) ? std::tie(a.low, a.high) < std::tie(b.low, b.high)
                                                              : FaceRef::Triangle(a.ref) < FaceRef::Triangle(b.ref);
  });
  return sides;
}

}  // namespace

EdgeTable EdgeTable::FromTriangles(std::span<const std::uint32_t> triangles) {
  const std::vector<Side> sides = SidesOf(triangles);
  EdgeTable table;
  std::vector<std::pair<std::size_t, std::size_t>> runs;  // [first, last) side of each edge
  for (std::size_t i = 0; i < sides.size();) {
    std::size_t end = i + 1;
    while (end < sides.size() && sides[end].low == sides[i].low && sides[end].high == sides[i].high) ++end;
    table.edges_.push_back({sides[i].low, sides[i].high});
    runs.emplace_back(i, end);
    i = end;
  }
  table.slots_.resize(runs.size());
  for (std::size_t e = 0; e < runs.size(); ++e) {
    std::int32_t previous = static_cast<std::int32_t>(e);
    table.slots_[e] = {sides[runs[e].first].ref, previous};
    for (std::size_t i = runs[e].first + 1; i < runs[e].second; ++i) {
      const auto slot = static_cast<std::int32_t>(table.slots_.size());
      table.slots_.push_back({sides[i].ref, slot});
      table.slots_[previous].next = slot;
      previous = slot;
    }
  }
  return table;
}

std::vector<std::uint32_t> EdgeTable::FaceRefs(std::size_t edge) const {
  std::vector<std::uint32_t> refs;
  if (slots_[edge].next < 0) return refs;
  for (std::int32_t slot = static_cast<std::int32_t>(edge);; slot = slots_[slot].next) {
    refs.push_back(slots_[slot].faceRef);
    if (slots_[slot].next == slot || slots_[slot].next < 0) break;
  }
  return refs;
}

FaceRings FaceRings::FromTriangles(std::span<const std::uint32_t> triangles, std::size_t vertexCount) {
  FaceRings rings;
  for (std::uint32_t v : triangles) vertexCount = std::max<std::size_t>(vertexCount, v + std::size_t{1});
  rings.start_.assign(vertexCount + 1, 0);
  for (std::uint32_t v : triangles) ++rings.start_[v + 1];
  for (std::size_t v = 0; v < vertexCount; ++v) rings.start_[v + 1] += rings.start_[v];
  rings.faces_.resize(triangles.size());
  std::vector<std::uint32_t> fill(rings.start_.begin(), rings.start_.end() - 1);
  for (std::uint32_t corner = 0; corner < triangles.size(); ++corner) rings.faces_[fill[triangles[corner]]++] = corner / 3;
  return rings;
}

}  // namespace kst
