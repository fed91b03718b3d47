#include "render/mesh_topology.h"

#include <algorithm>

namespace kst {

namespace {

struct Side {
  std::uint32_t low, high, ref;
};

// Every triangle side ordered by (smaller vertex, larger vertex, triangle):
// a stable counting sort by the smaller vertex, then a stable sort of each
// vertex's few sides by the larger one. Linear in the sides for meshes.
std::vector<Side> SidesOf(std::span<const std::uint32_t> triangles) {
  std::vector<std::size_t> start(1, 0);
  std::vector<Side> inOrder;
  inOrder.reserve(triangles.size());
  for (std::uint32_t t = 0; t < triangles.size() / 3; ++t)
    for (int s = 0; s < 3; ++s) {
      const std::uint32_t from = triangles[3 * t + s], to = triangles[3 * t + (s + 1) % 3];
      inOrder.push_back({std::min(from, to), std::max(from, to), FaceRef::Make(t, s, from < to)});
      if (inOrder.back().low + std::size_t{2} > start.size()) start.resize(inOrder.back().low + std::size_t{2}, 0);
      ++start[inOrder.back().low + 1];
    }
  for (std::size_t v = 1; v < start.size(); ++v) start[v] += start[v - 1];
  std::vector<Side> sides(inOrder.size());
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (const Side& side : inOrder) sides[fill[side.low]++] = side;
  for (std::size_t v = 0; v + 1 < start.size(); ++v)
    std::stable_sort(sides.begin() + start[v], sides.begin() + start[v + 1],
                     [](const Side& a, const Side& b) { return a.high < b.high; });
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
